#include "platform/posix/AtomicFile.h"

#include "platform/PlatformError.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace tovrin {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw PlatformError("Could not write \"" + path + "\": " + std::strerror(error) + ".");
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

// The temporary file: removed again unless it was put in place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& targetPath, FileSystem& fileSystem)
        : targetPath_(targetPath), fileSystem_(fileSystem) {
        // A short name of its own, so that a target name near the length
        // limit still leaves room for it.
        const std::string pattern = folderOf(targetPath) + "/.tovrin-XXXXXX";
        name_.assign(pattern.begin(), pattern.end());
        name_.push_back('\0');
        fd_ = fileSystem_.mkstemp(name_.data());
        if (fd_ < 0)
            fail(targetPath_, errno);
    }

    ~TemporaryFile() {
        if (fd_ >= 0)
            fileSystem_.close(fd_);
        if (!placed_)
            fileSystem_.unlink(name_.data());
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void setPermissions(mode_t mode) { check(fileSystem_.fchmod(fd_, mode)); }

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = fileSystem_.write(fd_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            check(written < 0 ? -1 : 0);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void syncAndClose() {
        check(fileSystem_.fsync(fd_));
        const int fd = fd_;
        fd_ = -1;
        check(fileSystem_.close(fd));
    }

    void putInPlace() {
        check(fileSystem_.rename(name_.data(), targetPath_.c_str()));
        placed_ = true;
    }

private:
    void check(long result) const {
        if (result < 0)
            fail(targetPath_, errno);
    }

    const std::string& targetPath_;
    FileSystem& fileSystem_;
    std::vector<char> name_;
    int fd_ = -1;
    bool placed_ = false;
};

} // namespace

void replaceFileAtomically(const std::string& path, std::string_view bytes, FileSystem& fileSystem) {
    struct stat existing {};
    const bool replacing = fileSystem.stat(path.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode))
        fail(path, EISDIR);

    TemporaryFile temporary(path, fileSystem);
    temporary.setPermissions(replacing ? existing.st_mode & 07777 : permissionsForNewFile());
    temporary.write(bytes);
    temporary.syncAndClose();
    temporary.putInPlace();
}

} // namespace tovrin
