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
// is removed again if the writing is given up.
//
// The file keeps what makes it the user's file: a symbolic link is followed
// and stays a link; a file with other names (hard links) is rewritten in
// place, from the synced new file, so that every name sees the new text; a
// replaced file keeps its permission bits, its owner and group where this
// user may set them (else it loses set-user-ID and set-group-ID) and its
// extended attributes where the file system takes them. A new file gets the
// permissions the umask allows. A file this user may not write, or a pipe,
// device or socket in place of the name, is refused.
//
// Every step throws PlatformError naming the path and the reason, and names
// any temporary file it had to leave behind.
class AtomicFile : public ByteSink {
public:
    AtomicFile(const std::string& path, FileSystem& fileSystem);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;

private:
    void createTemporary(const struct stat* existing);
    void takeOverIdentity(const struct stat& existing);
    void copyExtendedAttributes();
    int writeAll(int fd, std::string_view bytes);
    void replaceByRename();
    void rewriteInPlace();
    int copyTemporaryTo(int original);
    void check(long result);
    [[noreturn]] void fail(int error);
    bool removeTemporary();

    const std::string path_;
    std::string target_;
    FileSystem& fileSystem_;
    std::vector<char> temporaryName_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool temporaryGone_ = true;
};

// The reason a name cannot be replaced when something other than a file or
// a folder holds it; mode is that thing's, as lstat() gives it.
std::string notAFileInTheWay(mode_t mode);

} // namespace tovrin
