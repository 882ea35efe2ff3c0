#pragma once

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>

namespace tovrin {

// The system calls that replacing a file takes, one by one, so that a test
// can make any of them fail. Each returns what the system call returns and
// leaves its reason in errno. Names are looked up relative to an open
// folder, so that the file examined is the file written.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int openat(int folder, const char* name, int flags, mode_t mode);
    virtual int fstatat(int folder, const char* name, struct stat* status, int flags);
    virtual int fstat(int fd, struct stat* status);
    virtual ssize_t readlinkat(int folder, const char* name, char* buffer, size_t size);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    virtual int fchmod(int fd, mode_t mode);
    virtual ssize_t flistxattr(int fd, char* names, size_t size);
    virtual ssize_t fgetxattr(int fd, const char* name, void* value, size_t size);
    virtual int fsetxattr(int fd, const char* name, const void* value, size_t size);
    virtual int fremovexattr(int fd, const char* name);
    virtual ssize_t write(int fd, const void* data, size_t size);
    // Asks the kernel to start writing the given bytes to the disk, without
    // waiting for them: a hint only, since fsync writes whatever is left.
    virtual int startWriteback(int fd, off_t offset, off_t length);
    virtual ssize_t pread(int fd, void* data, size_t size, off_t offset);
    // Reserves the disk space for the first length bytes without changing
    // the file's size or content.
    virtual int fallocate(int fd, off_t length);
    virtual int fstatvfs(int fd, struct statvfs* status);
    virtual int ftruncate(int fd, off_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int renameat(int folder, const char* from, const char* to);
    virtual int unlinkat(int folder, const char* name);
};

// The machine's own file system.
FileSystem& realFileSystem();

} // namespace tovrin
