#pragma once

#include "platform/batchfile/ByteSink.h"
#include "platform/posix/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovrin {

// The new content of the file at path, written in as many steps as needed:
// it goes to a new file in the same folder, which commit() syncs and renames
// over the old one. Until then the old file stays as it was, and the new one
// is removed again if the writing is given up. A replaced file keeps its
// permission bits; a new one gets those the umask allows. Every step throws
// PlatformError naming the path and the system's reason.
class AtomicFile : public ByteSink {
public:
    AtomicFile(const std::string& path, FileSystem& fileSystem);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;

private:
    void check(long result) const;
    void removeTemporary();

    const std::string path_;
    FileSystem& fileSystem_;
    std::vector<char> temporaryName_;
    int fd_ = -1;
    bool committed_ = false;
};

} // namespace tovrin
