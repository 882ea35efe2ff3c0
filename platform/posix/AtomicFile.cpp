#include "platform/posix/AtomicFile.h"

#include "platform/batchfile/WriteFailure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tovrin {

namespace {

// Linux gives up after as many links in one path.
constexpr int MostLinksFollowed = 40;

std::string reasonFor(int error) { return std::string(std::strerror(error)) + "."; }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string readLink(const std::string& link, FileSystem& fileSystem, const std::string& path) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = fileSystem.readlink(link.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            throw writeFailure(path, reasonFor(errno));
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

// The name the content really lives under: path after its symbolic links,
// with the status of what is there. A link that points nowhere names the
// file to create (exists is then false).
std::string followLinks(const std::string& path, FileSystem& fileSystem, struct stat& status, bool& exists) {
    std::string name = path;
    for (int followed = 0;; ++followed) {
        if (fileSystem.lstat(name.c_str(), &status) != 0) {
            if (errno != ENOENT)
                throw writeFailure(path, reasonFor(errno));
            exists = false;
            return name;
        }
        if (!S_ISLNK(status.st_mode)) {
            exists = true;
            return name;
        }
        if (followed == MostLinksFollowed)
            throw writeFailure(path, reasonFor(ELOOP));
        const std::string pointsTo = readLink(name, fileSystem, path);
        name = pointsTo.starts_with('/') ? pointsTo : folderOf(name) + "/" + pointsTo;
    }
}

} // namespace

std::string notAFileInTheWay(mode_t mode) {
    const char* what = S_ISFIFO(mode)                     ? "a named pipe"
                       : S_ISSOCK(mode)                   ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                          : "something that is not a file";
    return std::string(what) + " of that name is in the way; only a file can be replaced.";
}

AtomicFile::AtomicFile(const std::string& path, FileSystem& fileSystem) : path_(path), fileSystem_(fileSystem) {
    struct stat existing {};
    bool replacing = false;
    target_ = followLinks(path_, fileSystem_, existing, replacing);
    if (replacing) {
        if (S_ISDIR(existing.st_mode))
            throw writeFailure(path_, FolderInTheWay);
        if (!S_ISREG(existing.st_mode))
            throw writeFailure(path_, notAFileInTheWay(existing.st_mode));
        // The folder may let a new file take the old one's name when the
        // file itself is read-only: refuse it as the system would refuse
        // writing the file.
        if (fileSystem_.access(target_.c_str(), W_OK) != 0)
            throw writeFailure(path_, reasonFor(errno));
        inPlace_ = existing.st_nlink > 1;
    }
    createTemporary(replacing ? &existing : nullptr);
}

AtomicFile::~AtomicFile() {
    if (!temporaryGone_)
        removeTemporary();
}

// A short name of its own, so that a target name near the length limit still
// leaves room for it; in the target's own folder, so that a rename can put it
// in place.
void AtomicFile::createTemporary(const struct stat* existing) {
    const std::string folder = folderOf(target_);
    const std::string pattern = folder + "/.tovrin-XXXXXX";
    temporaryName_.assign(pattern.begin(), pattern.end());
    temporaryName_.push_back('\0');
    fd_ = fileSystem_.mkstemp(temporaryName_.data());
    if (fd_ < 0) {
        const int error = errno;
        if (error == EACCES)
            throw writeFailure(path_, std::string(std::strerror(error)) + ": the folder \"" + folder +
                                          "\" may not be written.");
        throw writeFailure(path_, reasonFor(error));
    }
    temporaryGone_ = false;
    // Rewritten in place, the file keeps all it has; the temporary file only
    // holds the new text until then, for the user alone.
    if (inPlace_)
        return;
    if (existing)
        takeOverIdentity(*existing);
    else
        check(fileSystem_.fchmod(fd_, 0666 & ~fileSystem_.fileCreationMask()));
}

void AtomicFile::takeOverIdentity(const struct stat& existing) {
    mode_t mode = existing.st_mode & 07777;
    // Only a privileged user may give a file away. A file that cannot keep
    // its owner must not run with the rights of whoever now owns it.
    if (fileSystem_.fchown(fd_, existing.st_uid, existing.st_gid) != 0)
        mode &= ~(S_ISUID | S_ISGID);
    copyExtendedAttributes();
    // Last, because changing the owner clears the set-ID bits.
    check(fileSystem_.fchmod(fd_, mode));
}

// As many as the file system takes: one it refuses (another file system,
// or a name space only the administrator may set) is left out.
void AtomicFile::copyExtendedAttributes() {
    std::vector<char> names;
    for (;;) {
        const ssize_t size = fileSystem_.listxattr(target_.c_str(), nullptr, 0);
        if (size <= 0)
            return;
        names.resize(static_cast<std::size_t>(size));
        const ssize_t listed = fileSystem_.listxattr(target_.c_str(), names.data(), names.size());
        if (listed >= 0) {
            names.resize(static_cast<std::size_t>(listed));
            break;
        }
        if (errno != ERANGE)
            return;
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        const char* name = names.data() + at;
        const ssize_t size = fileSystem_.getxattr(target_.c_str(), name, nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t read = fileSystem_.getxattr(target_.c_str(), name, value.data(), value.size());
        if (read >= 0)
            fileSystem_.fsetxattr(fd_, name, value.data(), static_cast<std::size_t>(read));
    }
}

void AtomicFile::write(std::string_view bytes) {
    if (const int error = writeAll(fd_, bytes))
        fail(error);
}

// Zero when every byte is written, else the reason.
int AtomicFile::writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = fileSystem_.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return errno;
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

void AtomicFile::commit() {
    check(fileSystem_.fsync(fd_));
    if (inPlace_)
        rewriteInPlace();
    else
        replaceByRename();
}

void AtomicFile::replaceByRename() {
    const int fd = fd_;
    fd_ = -1;
    check(fileSystem_.close(fd));
    check(fileSystem_.rename(temporaryName_.data(), target_.c_str()));
    temporaryGone_ = true;
    // The rename lives in the folder: until the folder reaches the disk, a
    // power cut can bring the old file back.
    const int folder = fileSystem_.open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int synced = folder < 0 ? -1 : fileSystem_.fsync(folder);
    const int error = errno;
    if (folder >= 0)
        fileSystem_.close(folder);
    // Some file systems have no way to sync a folder, and need none.
    if (synced != 0 && error != EINVAL)
        throw writeFailure(path_, "the new text is in place, but its folder could not be saved to the disk: " +
                                      reasonFor(error) + " A power cut may still bring back the old text.");
}

// Copies the synced temporary file over the old one. Should that fail half
// way, the old file is lost, but the temporary file keeps the whole new text
// and the message says where.
void AtomicFile::rewriteInPlace() {
    const int original = fileSystem_.open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    check(original);
    int error = copyTemporaryTo(original);
    if (fileSystem_.close(original) != 0 && error == 0)
        error = errno;
    const std::string temporary(temporaryName_.data());
    if (error != 0) {
        fileSystem_.close(fd_);
        fd_ = -1;
        temporaryGone_ = true;
        throw writeFailure(path_, reasonFor(error) + " The file may be left incomplete; its whole new text is in \"" +
                                      temporary + "\".");
    }
    if (!removeTemporary())
        throw writeFailure(path_, "the new text is in place, but the temporary file \"" + temporary +
                                      "\" could not be removed: " + reasonFor(errno));
}

// Zero when the file holds the temporary file's bytes and no more, synced;
// else the reason.
int AtomicFile::copyTemporaryTo(int original) {
    std::vector<char> buffer(64 * 1024);
    off_t copied = 0;
    for (;;) {
        const ssize_t read = fileSystem_.pread(fd_, buffer.data(), buffer.size(), copied);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return errno;
        if (read == 0)
            break;
        if (const int error = writeAll(original, std::string_view(buffer.data(), static_cast<std::size_t>(read))))
            return error;
        copied += read;
    }
    if (fileSystem_.ftruncate(original, copied) != 0 || fileSystem_.fsync(original) != 0)
        return errno;
    return 0;
}

void AtomicFile::check(long result) {
    if (result < 0)
        fail(errno);
}

// Gives up: the temporary file goes, and if it cannot, the user learns
// where it stays.
void AtomicFile::fail(int error) {
    std::string reason = reasonFor(error);
    if (!temporaryGone_ && !removeTemporary())
        reason += " A temporary file was left behind and could not be removed: \"" +
                  std::string(temporaryName_.data()) + "\" (" + std::strerror(errno) + ").";
    throw writeFailure(path_, reason);
}

bool AtomicFile::removeTemporary() {
    if (fd_ >= 0)
        fileSystem_.close(fd_);
    fd_ = -1;
    temporaryGone_ = true;
    return fileSystem_.unlink(temporaryName_.data()) == 0 || errno == ENOENT;
}

} // namespace tovrin
