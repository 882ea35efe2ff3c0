#pragma once

#include "batchfile/ByteSink.h"
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
// as the kernel would follow it and stays a link; a file with other names
// (hard links) is rewritten in place, from the synced new file, once the
// disk has room for it, so that every name sees the new text; a replaced
// file keeps its permission bits, its owner and group where this user may
// set them (else it loses set-user-ID and set-group-ID), its ACL or the lack
// of one, and its extended attributes where the file system takes them. A
// new file is created as any program's would be, so the umask or the
// folder's default ACL decides its permissions. A file this user may not
// write, a pipe, device or socket in place of the name, a link another user
// planted in a shared folder, and a name that leads elsewhere by the time
// the new text is complete are refused.
//
// Every step throws PlatformError naming the path and the reason, and names
// any temporary file it had to leave behind.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(const std::string& path);
    AtomicFile(const std::string& path, FileSystem& fileSystem);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;

private:
    // An open file or folder, closed when it goes.
    struct Descriptor {
        Descriptor(FileSystem& fileSystem, int fd) : fileSystem(fileSystem), fd(fd) {}
        ~Descriptor();
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        FileSystem& fileSystem;
        int fd;
    };

    void findTarget();
    void openFolder(int base, const std::string& name);
    void refuseForeignLink(const std::string& link);
    std::string readLink();
    int openExamined();
    bool nameLeadsToExamined();
    void createTemporary();
    void takeOverIdentity(int original);
    void copyExtendedAttributes(int original);
    std::vector<char> attributeNames(int original);
    int writeAll(int fd, std::string_view bytes);
    void replaceByRename();
    void rewriteInPlace();
    int reserveRoom(int original);
    int copyTemporaryTo(int original);
    void check(long result);
    [[noreturn]] void fail(std::string reason);
    bool removeTemporary();
    std::string temporaryPath() const;

    const std::string path_;
    FileSystem& fileSystem_;
    Descriptor folder_;
    Descriptor examinedFile_;
    std::string folderName_;
    std::string name_;
    struct stat examined_ {};
    bool replacing_ = false;
    bool inPlace_ = false;
    std::string temporary_;
    int fd_ = -1;
    bool temporaryGone_ = true;
    off_t written_ = 0;
};

// The reason a name cannot be replaced when something other than a file or
// a folder holds it; mode is that thing's, as lstat() gives it.
std::string notAFileInTheWay(mode_t mode);

// How the refusals to follow a planted link, and to write through a name
// that changed hands meanwhile, end.
inline const std::string ForeignLinkNotFollowed =
    "belongs to another user and lies in a folder anyone may write, so it is not followed.";
inline const std::string NameTakenOver =
    "another file took the name while the new text was being written; nothing was replaced.";

} // namespace tovrin
