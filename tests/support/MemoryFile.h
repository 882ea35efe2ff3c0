#pragma once

#include "batchfile/ByteSink.h"

#include <string>

namespace tovrin::testing {

// A batch file kept in memory: what was written, and whether it was committed.
struct MemoryFile : ByteSink {
    std::string bytes;
    bool committed = false;

    void write(std::string_view more) override { bytes += more; }
    void commit() override { committed = true; }
};

} // namespace tovrin::testing
