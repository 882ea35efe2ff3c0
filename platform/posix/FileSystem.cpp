#include "platform/posix/FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tovrin {

int FileSystem::openat(int folder, const char* name, int flags, mode_t mode) {
    return ::openat(folder, name, flags, mode);
}
int FileSystem::fstatat(int folder, const char* name, struct stat* status, int flags) {
    return ::fstatat(folder, name, status, flags);
}
int FileSystem::fstat(int fd, struct stat* status) { return ::fstat(fd, status); }
ssize_t FileSystem::readlinkat(int folder, const char* name, char* buffer, size_t size) {
    return ::readlinkat(folder, name, buffer, size);
}
int FileSystem::fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
int FileSystem::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
ssize_t FileSystem::flistxattr(int fd, char* names, size_t size) { return ::flistxattr(fd, names, size); }
ssize_t FileSystem::fgetxattr(int fd, const char* name, void* value, size_t size) {
    return ::fgetxattr(fd, name, value, size);
}
int FileSystem::fsetxattr(int fd, const char* name, const void* value, size_t size) {
    return ::fsetxattr(fd, name, value, size, 0);
}
int FileSystem::fremovexattr(int fd, const char* name) { return ::fremovexattr(fd, name); }
ssize_t FileSystem::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystem::startWriteback(int fd, off_t offset, off_t length) {
    return ::sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE);
}
ssize_t FileSystem::pread(int fd, void* data, size_t size, off_t offset) { return ::pread(fd, data, size, offset); }
int FileSystem::fallocate(int fd, off_t length) { return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length); }
int FileSystem::fstatvfs(int fd, struct statvfs* status) { return ::fstatvfs(fd, status); }
int FileSystem::ftruncate(int fd, off_t size) { return ::ftruncate(fd, size); }
int FileSystem::fsync(int fd) { return ::fsync(fd); }
int FileSystem::close(int fd) { return ::close(fd); }
int FileSystem::renameat(int folder, const char* from, const char* to) { return ::renameat(folder, from, folder, to); }
int FileSystem::unlinkat(int folder, const char* name) { return ::unlinkat(folder, name, 0); }

FileSystem& realFileSystem() {
    static FileSystem machine;
    return machine;
}

} // namespace tovrin
