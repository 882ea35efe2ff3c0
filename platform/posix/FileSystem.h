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

    virtual int stat(const char* path, struct stat* status);
    virtual int mkstemp(char* pathTemplate);
    virtual int fchmod(int fd, mode_t mode);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
};

} // namespace tovrin
