#include "platform/posix/AtomicFile.h"

#include "platform/batchfile/WriteFailure.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace tovrin {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw writeFailure(path, std::string(std::strerror(error)) + ".");
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t permissionsForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(const std::string& path, FileSystem& fileSystem) : path_(path), fileSystem_(fileSystem) {
    struct stat existing {};
    const bool replacing = fileSystem_.stat(path_.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode))
        throw writeFailure(path_, FolderInTheWay);
    // A short name of its own, so that a target name near the length limit
    // still leaves room for it.
    const std::string pattern = folderOf(path_) + "/.tovrin-XXXXXX";
    temporaryName_.assign(pattern.begin(), pattern.end());
    temporaryName_.push_back('\0');
    fd_ = fileSystem_.mkstemp(temporaryName_.data());
    check(fd_);
    try {
        check(fileSystem_.fchmod(fd_, replacing ? existing.st_mode & 07777 : permissionsForNewFile()));
    } catch (...) {
        removeTemporary();
        throw;
    }
}

AtomicFile::~AtomicFile() {
    if (!committed_)
        removeTemporary();
}

void AtomicFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = fileSystem_.write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        check(written < 0 ? -1 : 0);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFile::commit() {
    check(fileSystem_.fsync(fd_));
    const int fd = fd_;
    fd_ = -1;
    check(fileSystem_.close(fd));
    check(fileSystem_.rename(temporaryName_.data(), path_.c_str()));
    committed_ = true;
}

void AtomicFile::check(long result) const {
    if (result < 0)
        fail(path_, errno);
}

void AtomicFile::removeTemporary() {
    if (fd_ >= 0)
        fileSystem_.close(fd_);
    fd_ = -1;
    fileSystem_.unlink(temporaryName_.data());
}

} // namespace tovrin
