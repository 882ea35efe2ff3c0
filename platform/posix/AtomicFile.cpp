#include "platform/posix/AtomicFile.h"

#include "batchfile/WriteFailure.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tovrin {

namespace {

// Linux gives up after as many links in one path.
constexpr int MostLinksFollowed = 40;

constexpr std::size_t RandomLetters = 6;

// Where the new file's ACL lives; a folder's default ACL gives one to every
// file made in it.
constexpr const char* AccessAcl = "system.posix_acl_access";

std::string reasonFor(int error) { return std::string(std::strerror(error)) + "."; }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameIn(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    return name.empty() ? "." : name;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// What a file system without permissions or attributes of that kind answers
// (FAT through FUSE, for one): the file simply cannot keep them.
bool notKeptHere(int error) {
    return error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EPERM || error == EACCES;
}

std::string randomLetters() {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz234567";
    unsigned bits = std::random_device{}();
    std::string chosen;
    for (std::size_t i = 0; i < RandomLetters; ++i, bits >>= 5)
        chosen += letters[bits & 31];
    return chosen;
}

// Rewriting in place, the temporary file may outlive a program killed
// during the copy: its name then says whose new text it holds.
std::string temporaryStem(const std::string& name, bool inPlace) {
    if (!inPlace)
        return ".tovrin-";
    const std::string stem = name + ".new-text-";
    return stem.size() + RandomLetters <= NAME_MAX ? stem : "tovrin-new-text-";
}

} // namespace

std::string notAFileInTheWay(mode_t mode) {
    const char* what = S_ISFIFO(mode)                     ? "a named pipe"
                       : S_ISSOCK(mode)                   ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                          : "something that is not a file";
    return std::string(what) + " of that name is in the way; only a file can be replaced.";
}

AtomicFile::Descriptor::~Descriptor() {
    if (fd >= 0)
        fileSystem.close(fd);
}

AtomicFile::AtomicFile(const std::string& path) : AtomicFile(path, realFileSystem()) {}

AtomicFile::AtomicFile(const std::string& path, FileSystem& fileSystem)
    : path_(path), fileSystem_(fileSystem), folder_(fileSystem, -1), examinedFile_(fileSystem, -1) {
    findTarget();
    if (replacing_) {
        if (S_ISDIR(examined_.st_mode))
            throw writeFailure(path_, FolderInTheWay);
        if (!S_ISREG(examined_.st_mode))
            throw writeFailure(path_, notAFileInTheWay(examined_.st_mode));
        // Opening it for writing asks the system whether this user may: the
        // folder may let a new file take the name of a read-only one. Held
        // open, it keeps its inode number, which no other file can then take
        // to pass for it.
        examinedFile_.fd = openExamined();
        inPlace_ = examined_.st_nlink > 1;
    }
    createTemporary();
    // Rewritten in place, the file keeps all it has.
    if (replacing_ && !inPlace_)
        takeOverIdentity(examinedFile_.fd);
}

AtomicFile::~AtomicFile() {
    if (!temporaryGone_)
        removeTemporary();
}

// The name the content really lives under, after its symbolic links, held
// as a name in an open folder with the status of what is there. A link that
// points nowhere names the file to create (replacing_ is then false).
void AtomicFile::findTarget() {
    std::string where = path_;
    openFolder(AT_FDCWD, folderOf(where));
    name_ = nameIn(where);
    for (int followed = 0;; ++followed) {
        if (fileSystem_.fstatat(folder_.fd, name_.c_str(), &examined_, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                throw writeFailure(path_, reasonFor(errno));
            break;
        }
        if (!S_ISLNK(examined_.st_mode)) {
            replacing_ = true;
            break;
        }
        if (followed == MostLinksFollowed)
            throw writeFailure(path_, reasonFor(ELOOP));
        refuseForeignLink(where);
        const std::string pointsTo = readLink();
        where = pointsTo.starts_with('/') ? pointsTo : folderOf(where) + "/" + pointsTo;
        if (pointsTo.find('/') != std::string::npos)
            openFolder(folder_.fd, folderOf(pointsTo));
        name_ = nameIn(pointsTo);
    }
    folderName_ = folderOf(where);
}

void AtomicFile::openFolder(int base, const std::string& name) {
    const int fd = fileSystem_.openat(base, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        throw writeFailure(path_, reasonFor(errno));
    if (folder_.fd >= 0)
        fileSystem_.close(folder_.fd);
    folder_.fd = fd;
}

// Another user may plant a link in a shared folder such as /tmp to aim this
// user's write at a file of this user's own. Such a link is followed only
// when it belongs to this user or to the folder's owner, as the kernel's
// protected_symlinks rule decides where it is on.
void AtomicFile::refuseForeignLink(const std::string& link) {
    struct stat folder {};
    if (fileSystem_.fstat(folder_.fd, &folder) != 0)
        throw writeFailure(path_, reasonFor(errno));
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    if (shared && examined_.st_uid != ::geteuid() && examined_.st_uid != folder.st_uid)
        throw writeFailure(path_, (link == path_ ? "it is a symbolic link that " : "the symbolic link \"" + link + "\" ") +
                                      ForeignLinkNotFollowed);
}

std::string AtomicFile::readLink() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = fileSystem_.readlinkat(folder_.fd, name_.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            throw writeFailure(path_, reasonFor(errno));
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

// The examined file, opened for writing through its name; refused when the
// name no longer leads to it.
int AtomicFile::openExamined() {
    const int fd =
        fileSystem_.openat(folder_.fd, name_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    struct stat opened {};
    if (fd >= 0 && fileSystem_.fstat(fd, &opened) == 0 && sameFile(opened, examined_))
        return fd;
    const int error = errno;
    if (fd >= 0)
        fileSystem_.close(fd);
    fail(fd >= 0 || !nameLeadsToExamined() ? NameTakenOver : reasonFor(error));
}

bool AtomicFile::nameLeadsToExamined() {
    struct stat now {};
    if (fileSystem_.fstatat(folder_.fd, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0)
        return !replacing_ && errno == ENOENT;
    return replacing_ && sameFile(now, examined_);
}

// Made by a name of its own in the target's open folder, so that a path
// near the length limit has room for it and a rename can put it in place.
// It is created as any program creates a file, so that the umask or the
// folder's default ACL gives a new file its permissions; one that is to
// replace a file or be copied into it stays this user's alone until then.
void AtomicFile::createTemporary() {
    const std::string stem = temporaryStem(name_, inPlace_);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporary_ = stem + randomLetters();
        fd_ = fileSystem_.openat(folder_.fd, temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                 replacing_ ? 0600 : 0666);
        const int error = errno;
        if (fd_ >= 0 || (error == EEXIST && attempt < 100))
            continue;
        if (error == EACCES)
            throw writeFailure(path_, std::string(std::strerror(error)) + ": the folder \"" + folderName_ +
                                          "\" may not be written.");
        throw writeFailure(path_, reasonFor(error));
    }
    temporaryGone_ = false;
}

void AtomicFile::takeOverIdentity(int original) {
    mode_t mode = examined_.st_mode & 07777;
    // Only a privileged user may give a file away. A file that cannot keep
    // its owner must not run with the rights of whoever now owns it.
    if (fileSystem_.fchown(fd_, examined_.st_uid, examined_.st_gid) != 0)
        mode &= ~(S_ISUID | S_ISGID);
    copyExtendedAttributes(original);
    // Last, because changing the owner clears the set-ID bits.
    if (fileSystem_.fchmod(fd_, mode) != 0 && !notKeptHere(errno))
        fail(reasonFor(errno));
}

// As many as the file system takes: one it refuses (another file system,
// or a name space only the administrator may set) is left out.
void AtomicFile::copyExtendedAttributes(int original) {
    const std::vector<char> names = attributeNames(original);
    bool aclKept = false;
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        const char* name = names.data() + at;
        ssize_t size = fileSystem_.fgetxattr(original, name, nullptr, 0);
        if (size >= 0) {
            value.resize(static_cast<std::size_t>(size));
            size = fileSystem_.fgetxattr(original, name, value.data(), value.size());
        }
        if (size < 0 && (errno == ENODATA || notKeptHere(errno)))
            continue;
        check(size);
        const bool kept = fileSystem_.fsetxattr(fd_, name, value.data(), static_cast<std::size_t>(size)) == 0;
        if (!kept && !notKeptHere(errno))
            fail(reasonFor(errno));
        aclKept = aclKept || (kept && std::strcmp(name, AccessAcl) == 0);
    }
    // The temporary file may have an ACL from its folder that the old file
    // did not have.
    if (!aclKept && fileSystem_.fremovexattr(fd_, AccessAcl) != 0 && errno != ENODATA && !notKeptHere(errno))
        fail(reasonFor(errno));
}

// The names, each ended by a zero byte; none where the file system has
// no extended attributes.
std::vector<char> AtomicFile::attributeNames(int original) {
    std::vector<char> names;
    for (;;) {
        ssize_t size = fileSystem_.flistxattr(original, nullptr, 0);
        if (size > 0) {
            names.resize(static_cast<std::size_t>(size));
            size = fileSystem_.flistxattr(original, names.data(), names.size());
        }
        if (size >= 0) {
            names.resize(static_cast<std::size_t>(size));
            return names;
        }
        if (notKeptHere(errno))
            return {};
        // ERANGE: an attribute came meanwhile.
        if (errno != ERANGE)
            fail(reasonFor(errno));
    }
}

// Each block starts on its way to the disk as soon as it is written, while
// the caller makes the next one, so that the sync at the end waits only for
// the last of them. It is a hint: where the system cannot take it, the sync
// writes the whole file all the same, so its refusal changes nothing.
void AtomicFile::write(std::string_view bytes) {
    if (const int error = writeAll(fd_, bytes))
        fail(reasonFor(error));
    fileSystem_.startWriteback(fd_, written_, static_cast<off_t>(bytes.size()));
    written_ += static_cast<off_t>(bytes.size());
}

// Zero when every byte is written, else the reason.
int AtomicFile::writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = fileSystem_.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return errno;
        // A write that takes nothing would take nothing for ever.
        if (written == 0)
            return EIO;
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

void AtomicFile::commit() {
    check(fileSystem_.fsync(fd_));
    // Only the file examined may be replaced or rewritten: what the new file
    // took over belongs to it, and the in-place road holds it open.
    if (!nameLeadsToExamined())
        fail(NameTakenOver);
    if (inPlace_)
        rewriteInPlace();
    else
        replaceByRename();
}

void AtomicFile::replaceByRename() {
    const int fd = fd_;
    fd_ = -1;
    check(fileSystem_.close(fd));
    check(fileSystem_.renameat(folder_.fd, temporary_.c_str(), name_.c_str()));
    temporaryGone_ = true;
    // The rename lives in the folder: until the folder reaches the disk, a
    // power cut can bring the old file back.
    const int folder = fileSystem_.openat(folder_.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    const int synced = folder < 0 ? -1 : fileSystem_.fsync(folder);
    const int error = errno;
    if (folder >= 0)
        fileSystem_.close(folder);
    // Some file systems have no way to sync a folder, and need none.
    if (synced != 0 && error != EINVAL)
        throw writeFailure(path_, "the new text is in place, but its folder could not be saved to the disk: " +
                                      reasonFor(error) + " A power cut may still bring back the old text.");
}

// Copies the synced temporary file over the old one, once the disk has room
// for it. Should the copy still fail half way, the old file is lost, but the
// temporary file keeps the whole new text and the message says where.
void AtomicFile::rewriteInPlace() {
    const int original = std::exchange(examinedFile_.fd, -1);
    if (const int error = reserveRoom(original)) {
        fileSystem_.close(original);
        fail(reasonFor(error) + " The file was left as it was.");
    }
    int error = copyTemporaryTo(original);
    if (fileSystem_.close(original) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        fileSystem_.close(fd_);
        fd_ = -1;
        temporaryGone_ = true;
        throw writeFailure(path_, reasonFor(error) + " The file may be left incomplete; its whole new text is in \"" +
                                      temporaryPath() + "\".");
    }
    if (!removeTemporary())
        throw writeFailure(path_, "the new text is in place, but the temporary file \"" + temporaryPath() +
                                      "\" could not be removed: " + reasonFor(errno));
}

// Zero when the file has room for the new text, else the reason. Where the
// file system cannot set space aside, its free space must prove the room
// (what the file holds already counts).
int AtomicFile::reserveRoom(int original) {
    if (written_ == 0)
        return 0;
    int reserved;
    do
        reserved = fileSystem_.fallocate(original, written_);
    while (reserved != 0 && errno == EINTR);
    if (reserved == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    struct stat status {};
    struct statvfs disk {};
    if (fileSystem_.fstat(original, &status) != 0 || fileSystem_.fstatvfs(original, &disk) != 0)
        return errno;
    const auto held = static_cast<unsigned long long>(status.st_blocks) * 512;
    const auto free = static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize;
    return static_cast<unsigned long long>(written_) <= held + free ? 0 : ENOSPC;
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
        fail(reasonFor(errno));
}

// Gives up: the temporary file goes, and if it cannot, the user learns
// where it stays.
void AtomicFile::fail(std::string reason) {
    if (!temporaryGone_ && !removeTemporary())
        reason += " A temporary file was left behind and could not be removed: \"" + temporaryPath() + "\" (" +
                  std::strerror(errno) + ").";
    throw writeFailure(path_, reason);
}

bool AtomicFile::removeTemporary() {
    if (fd_ >= 0)
        fileSystem_.close(fd_);
    fd_ = -1;
    temporaryGone_ = true;
    return fileSystem_.unlinkat(folder_.fd, temporary_.c_str()) == 0 || errno == ENOENT;
}

std::string AtomicFile::temporaryPath() const { return folderName_ + "/" + temporary_; }

} // namespace tovrin
