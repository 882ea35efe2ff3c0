#include "platform/posix/AtomicFile.h"

namespace tovrin {

std::unique_ptr<ByteSink> openBatchFile(const std::string& path) {
    static FileSystem system;
    return std::make_unique<AtomicFile>(path, system);
}

} // namespace tovrin
