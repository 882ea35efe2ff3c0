#include "platform/posix/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tovrin {

int FileSystem::lstat(const char* path, struct stat* status) { return ::lstat(path, status); }
ssize_t FileSystem::readlink(const char* path, char* buffer, size_t size) { return ::readlink(path, buffer, size); }
int FileSystem::access(const char* path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); }
int FileSystem::mkstemp(char* pathTemplate) { return ::mkstemp(pathTemplate); }
int FileSystem::open(const char* path, int flags) { return ::open(path, flags); }
int FileSystem::fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
int FileSystem::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
ssize_t FileSystem::listxattr(const char* path, char* names, size_t size) { return ::listxattr(path, names, size); }
ssize_t FileSystem::getxattr(const char* path, const char* name, void* value, size_t size) {
    return ::getxattr(path, name, value, size);
}
int FileSystem::fsetxattr(int fd, const char* name, const void* value, size_t size) {
    return ::fsetxattr(fd, name, value, size, 0);
}
ssize_t FileSystem::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
ssize_t FileSystem::pread(int fd, void* data, size_t size, off_t offset) { return ::pread(fd, data, size, offset); }
int FileSystem::ftruncate(int fd, off_t size) { return ::ftruncate(fd, size); }
int FileSystem::fsync(int fd) { return ::fsync(fd); }
int FileSystem::close(int fd) { return ::close(fd); }
int FileSystem::rename(const char* from, const char* to) { return std::rename(from, to); }
int FileSystem::unlink(const char* path) { return ::unlink(path); }

mode_t FileSystem::fileCreationMask() {
    // The kernel shows it in the process's status since Linux 4.7.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask & 0777);
    }
    // Unknown: a new file is then readable by its owner alone rather than
    // by more people than the user meant.
    return 077;
}

} // namespace tovrin
