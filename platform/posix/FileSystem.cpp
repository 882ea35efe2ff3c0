#include "platform/posix/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace tovrin {

int FileSystem::stat(const char* path, struct stat* status) { return ::stat(path, status); }
int FileSystem::mkstemp(char* pathTemplate) { return ::mkstemp(pathTemplate); }
int FileSystem::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
ssize_t FileSystem::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystem::fsync(int fd) { return ::fsync(fd); }
int FileSystem::close(int fd) { return ::close(fd); }
int FileSystem::rename(const char* from, const char* to) { return std::rename(from, to); }
int FileSystem::unlink(const char* path) { return ::unlink(path); }

} // namespace tovrin
