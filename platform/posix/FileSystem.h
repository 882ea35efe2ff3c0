#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace tovrin {

// The system calls that replacing a file takes, one by one, so that a test
// can make any of them fail. Each returns what the system call returns and
// leaves its reason in errno.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int lstat(const char* path, struct stat* status);
    virtual ssize_t readlink(const char* path, char* buffer, size_t size);
    // Whether this process may access path as mode asks, by its effective
    // user and groups, as the kernel decides when the file is opened.
    virtual int access(const char* path, int mode);
    virtual int mkstemp(char* pathTemplate);
    virtual int open(const char* path, int flags);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    virtual int fchmod(int fd, mode_t mode);
    virtual ssize_t listxattr(const char* path, char* names, size_t size);
    virtual ssize_t getxattr(const char* path, const char* name, void* value, size_t size);
    virtual int fsetxattr(int fd, const char* name, const void* value, size_t size);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual ssize_t pread(int fd, void* data, size_t size, off_t offset);
    virtual int ftruncate(int fd, off_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);

    // The process's umask, learnt without changing it: setting it to learn
    // it would be seen by every thread at once.
    virtual mode_t fileCreationMask();
};

} // namespace tovrin
