#include "platform/PlatformError.h"
#include "batchfile/BatchFileWriter.h"
#include "batchfile/WriteFailure.h"
#include "platform/posix/AtomicFile.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/statvfs.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tovrin {
namespace {

namespace fs = std::filesystem;

using testing::contentOf;
using testing::writeRaw;

// As Generate writes: through the byte rules into the file.
void writeText(const fs::path& path, const std::vector<std::u16string>& pieces, FileSystem& fileSystem) {
    const auto codePage = openCodePage(1252);
    AtomicFile file(path.string(), fileSystem);
    writeBatchFile(path.string(), [&](const PieceReceiver& receive) { for (const auto& piece : pieces) receive(piece); },
                   *codePage, file);
}

// Real system calls, except the one a test makes fail, and a record of the
// file created last.
class FailingFileSystem : public FileSystem {
public:
    enum class Failure {
        None, WriteHalfway, WriteTakesNothing, Sync, FolderSyncUnsupported, FolderSyncFails, Close, Rename,
        SyncAndUnlink, Chown, CopyHalfway, NoRoom, NoRoomToReserve, CannotReserve, ChmodUnsupported, ChmodFails,
        AttributeRefused, AttributeFails, WritebackRefused
    };
    Failure failure = Failure::None;
    bool interrupting = false; // every other call interrupted, writes a few bytes at a time
    std::function<void()> duringWrite; // once, at the first write
    int writes = 0;
    std::string created; // its path, and whether programs started meanwhile inherit it
    mode_t createdMode = 0;

    int openat(int folder, const char* name, int flags, mode_t mode) override {
        const int fd = FileSystem::openat(folder, name, flags, mode);
        if (fd >= 0 && (flags & O_CREAT)) {
            created = pathOf(fd) + (::fcntl(fd, F_GETFD) & FD_CLOEXEC ? "" : " (inherited)");
            createdMode = mode;
        }
        if (fd >= 0 && (flags & O_ACCMODE) == O_WRONLY)
            opened.push_back(fd);
        return fd;
    }
    int fchown(int fd, uid_t owner, gid_t group) override {
        return struck("fchown") ? -1 : FileSystem::fchown(fd, owner, group);
    }
    int fchmod(int fd, mode_t mode) override { return struck("fchmod") ? -1 : FileSystem::fchmod(fd, mode); }
    int fsetxattr(int fd, const char* name, const void* value, size_t size) override {
        return struck("fsetxattr") ? -1 : FileSystem::fsetxattr(fd, name, value, size);
    }
    ssize_t write(int fd, const void* data, size_t size) override {
        if (duringWrite)
            std::exchange(duringWrite, nullptr)();
        const bool copy = std::find(opened.begin(), opened.end(), fd) != opened.end();
        const bool halfway = failure == (copy ? Failure::CopyHalfway : Failure::WriteHalfway);
        if (halfway && writes++ > 0)
            return fail(ENOSPC);
        // Not for ever: a writer that keeps trying fails the test, not the run.
        if (failure == Failure::WriteTakesNothing)
            return writes++ < 1000 ? 0 : fail(EDQUOT);
        if (interrupting && ++interruptions % 2)
            return fail(EINTR);
        // Write half first, so that a failure finds a half-written file.
        return FileSystem::write(fd, data, interrupting ? std::min<size_t>(size, 7) : halfway ? size / 2 : size);
    }
    int startWriteback(int fd, off_t offset, off_t length) override {
        return struck("startWriteback") ? -1 : FileSystem::startWriteback(fd, offset, length);
    }
    ssize_t pread(int fd, void* data, size_t size, off_t offset) override {
        return interrupting && ++interruptions % 2 ? fail(EINTR) : FileSystem::pread(fd, data, size, offset);
    }
    int fallocate(int fd, off_t length) override {
        if (interrupting && !std::exchange(allocationInterrupted, !allocationInterrupted))
            return fail(EINTR);
        return struck("fallocate") ? -1 : FileSystem::fallocate(fd, length);
    }
    int fstatvfs(int fd, struct statvfs* status) override {
        const int result = FileSystem::fstatvfs(fd, status);
        if (failure == Failure::NoRoomToReserve)
            status->f_bavail = 0;
        return result;
    }
    int fsync(int fd) override {
        return struck(fs::is_directory(pathOf(fd)) ? "fsync folder" : "fsync") ? -1 : FileSystem::fsync(fd);
    }
    int close(int fd) override {
        std::erase(opened, fd);
        const int result = FileSystem::close(fd);
        return struck("close") ? -1 : result;
    }
    int renameat(int folder, const char* from, const char* to) override {
        return struck("renameat") ? -1 : FileSystem::renameat(folder, from, to);
    }
    int unlinkat(int folder, const char* name) override {
        return struck("unlinkat") ? -1 : FileSystem::unlinkat(folder, name);
    }

private:
    // The call each plain failure strikes, and its reason. NoRoomToReserve:
    // a file system that cannot set space aside, and is full; CannotReserve:
    // another that cannot, with room to spare.
    struct Strike { Failure failure; std::string_view call; int error; };
    static constexpr Strike strikes[] = {
        {Failure::Chown, "fchown", EPERM}, {Failure::ChmodUnsupported, "fchmod", ENOSYS},
        {Failure::ChmodFails, "fchmod", EIO}, {Failure::AttributeRefused, "fsetxattr", EPERM},
        {Failure::AttributeFails, "fsetxattr", EIO}, {Failure::WritebackRefused, "startWriteback", ESPIPE},
        {Failure::NoRoom, "fallocate", ENOSPC}, {Failure::NoRoomToReserve, "fallocate", ENOSYS},
        {Failure::CannotReserve, "fallocate", EOPNOTSUPP}, {Failure::Sync, "fsync", EIO},
        {Failure::SyncAndUnlink, "fsync", EIO}, {Failure::SyncAndUnlink, "unlinkat", EBUSY},
        {Failure::FolderSyncUnsupported, "fsync folder", EINVAL}, {Failure::FolderSyncFails, "fsync folder", EIO},
        {Failure::Close, "close", EIO}, {Failure::Rename, "renameat", EXDEV}};
    // Whether the failure strikes this call; errno then holds its reason.
    bool struck(std::string_view call) const {
        for (const Strike& strike : strikes)
            if (strike.failure == failure && strike.call == call) {
                errno = strike.error;
                return true;
            }
        return false;
    }
    static int fail(int error) {
        errno = error;
        return -1;
    }
    static std::string pathOf(int fd) {
        std::error_code unknown;
        return fs::read_symlink("/proc/self/fd/" + std::to_string(fd), unknown).string();
    }
    std::vector<int> opened;
    int interruptions = 0;
    bool allocationInterrupted = false;
};

// Gives a path its mode back however a test ends, so that it can be removed.
struct ModeGuard {
    fs::path path;
    mode_t mode;
    ~ModeGuard() { ::chmod(path.c_str(), mode); }
};

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tovrin-writer-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The failure's message, after checking that it names the path.
    std::string failureWriting(const fs::path& path, const std::vector<std::u16string>& text) {
        try {
            writeText(path, text, fileSystem);
        } catch (const PlatformError& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
            return error.what();
        }
        ADD_FAILURE() << "writing " << path << " did not fail";
        return "";
    }

    static mode_t modeOf(const fs::path& path) {
        struct stat status {};
        EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path << ": " << std::strerror(errno);
        return status.st_mode & 07777;
    }

    // The temporary file a message names: the last path in quotes.
    std::string temporaryFileIn(const std::string& message) const {
        const std::size_t named = message.rfind('"' + folder.string() + '/') + 1;
        return message.substr(named, message.find('"', named) - named);
    }

    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator()));
    }

    fs::path folder;
    FailingFileSystem fileSystem;
};

TEST_F(AtomicFileTest, HoldsExactlyTheBytesWritten) {
    const fs::path target = folder / "backup.bat";
    AtomicFile file(target.string(), fileSystem);
    file.write("@echo off\r\n");
    file.write("");
    file.write(std::string("cd \xE9t\0", 6));
    file.commit();
    EXPECT_EQ(contentOf(target), std::string("@echo off\r\ncd \xE9t\0", 17));

    const fs::path empty = folder / "empty.bat";
    AtomicFile(empty.string(), fileSystem).commit();
    EXPECT_TRUE(fs::exists(empty));
    EXPECT_EQ(fs::file_size(empty), 0u);
    EXPECT_EQ(entriesInFolder(), 2u) << "no temporary file left behind";
}

// A replaced file keeps its permissions whatever the umask.
TEST_F(AtomicFileTest, PermissionsAreTheOldFilesOrWhatTheUmaskAllows) {
    struct Case { mode_t mask, oldMode, expected; }; // oldMode 0: no file yet
    for (const auto& [mask, oldMode, expected] :
         std::vector<Case>{{022, 0, 0644}, {027, 0, 0640}, {0, 0, 0666}, {077, 0751, 0751}}) {
        const fs::path target = folder / ("job" + std::to_string(mask) + ".bat");
        if (oldMode) {
            writeRaw(target, "old content that is longer than the new one");
            ASSERT_EQ(::chmod(target.c_str(), oldMode), 0);
        }
        const mode_t old = ::umask(mask);
        writeText(target, {u"new"}, fileSystem);
        EXPECT_EQ(::umask(old), mask) << "the writer left the umask as it was";
        EXPECT_EQ(contentOf(target), "new");
        EXPECT_EQ(modeOf(target), expected) << "umask " << mask;
    }
}

TEST_F(AtomicFileTest, UnencodableCharacterAfterWrittenPiecesKeepsTheOldFileAndSaysWhere) {
    const fs::path target = folder / "job.bat";
    writeRaw(target, "old");
    const std::string message = failureWriting(target, {u"echo 1\r\n", std::u16string(700'000, u'e'), u"\r\necho \u4E2D"});
    EXPECT_NE(message.find("U+4E2D"), std::string::npos) << message;
    EXPECT_NE(message.find("line 3, column 6"), std::string::npos) << message;
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(entriesInFolder(), 1u);
}

// The name the user chose may lead elsewhere; the file found there is the
// one replaced, and the temporary file is made beside it so that the rename
// stays within one folder.
TEST_F(AtomicFileTest, ReplacesTheFileTheNameLeadsTo) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // name, where it points
        bool fileExists;
        bool shared = false; // the link's folder anyone may write, as /tmp
    };
    const fs::path real = folder / "real" / "job.bat";
    for (const Case& c : std::vector<Case>{{"plain file", {}, true},
                                           {"relative link", {{"job.bat", "real/job.bat"}}, true},
                                           {"absolute link", {{"job.bat", real.string()}}, true},
                                           {"chain of links", {{"job.bat", "next"}, {"next", "real/job.bat"}}, true},
                                           {"dangling link", {{"job.bat", "real/job.bat"}}, false},
                                           {"own link in a shared folder", {{"job.bat", "real/job.bat"}}, true, true}}) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(real.parent_path());
        if (c.fileExists)
            writeRaw(real, "old text, longer than the new");
        for (const auto& [name, pointsTo] : c.links)
            fs::create_symlink(pointsTo, folder / name);
        const fs::path chosen = c.links.empty() ? real : folder / "job.bat";
        fs::permissions(folder, c.shared ? fs::perms::all | fs::perms::sticky_bit : fs::perms::owner_all);
        // This user's link is followed in a folder of another's too.
        ASSERT_TRUE(!c.shared || ::geteuid() != 0 || ::chown(folder.c_str(), 65534, 65534) == 0);
        fileSystem.created.clear();
        writeText(chosen, {u"new"}, fileSystem);
        EXPECT_EQ(contentOf(real), "new");
        EXPECT_EQ(fs::is_symlink(chosen), !c.links.empty());
        // Beside the file, a short name of its own, not inherited by programs started meanwhile.
        const std::string stem = (real.parent_path() / ".tovrin-").string();
        EXPECT_TRUE(fileSystem.created.starts_with(stem)) << fileSystem.created;
        EXPECT_EQ(fileSystem.created.size(), stem.size() + 6) << fileSystem.created;
        // Until it takes the old file's place, only this user may open its successor.
        EXPECT_EQ(fileSystem.createdMode, c.fileExists ? 0600u : 0666u);
    }
}

TEST_F(AtomicFileTest, HardLinkedFileIsRewrittenInPlaceForEveryName) {
    const fs::path first = folder / "job.bat", second = folder / "same.bat";
    const std::string newText(100'000, 'n');
    writeRaw(first, std::string(200'000, 'o'));
    fs::create_hard_link(first, second);
    writeText(first, {std::u16string(newText.begin(), newText.end())}, fileSystem);
    EXPECT_EQ(contentOf(second), newText);
    EXPECT_EQ(fs::hard_link_count(first), 2u);
    EXPECT_EQ(entriesInFolder(), 2u) << "no temporary file left behind";
    writeText(first, {}, fileSystem);
    EXPECT_EQ(contentOf(second), "") << "an empty text needs no room set aside";

    // A copy that fails half way has lost the old text: the message must
    // say where the whole new one is.
    fileSystem.failure = FailingFileSystem::Failure::CopyHalfway;
    const std::string message = failureWriting(second, {u"other " + std::u16string(newText.begin(), newText.end())});
    EXPECT_EQ(contentOf(temporaryFileIn(message)), "other " + newText) << message;
    EXPECT_TRUE(temporaryFileIn(message).starts_with(second.string() + ".new-text-")) << message;
}

// CI runs as root, which may give a file away; a refused fchown stands for
// a user who may not. Root also keeps its right to replace a read-only file.
TEST_F(AtomicFileTest, KeepsOwnerAndGroupOrDropsSetIdBits) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user to begin with";
    const fs::path target = folder / "job.bat";
    for (bool chownRefused : {false, true}) {
        writeRaw(target, "old");
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(target.c_str(), 06555), 0);
        fileSystem.failure = chownRefused ? FailingFileSystem::Failure::Chown : FailingFileSystem::Failure::None;
        writeText(target, {u"new"}, fileSystem);
        struct stat status {};
        ASSERT_EQ(::stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_uid, chownRefused ? 0u : 65534u);
        EXPECT_EQ(status.st_gid, chownRefused ? 0u : 65534u);
        EXPECT_EQ(contentOf(target), "new");
        EXPECT_EQ(status.st_mode & 07777, chownRefused ? 0555u : 06555u);
    }
}

TEST_F(AtomicFileTest, CopiesExtendedAttributes) {
    const fs::path target = folder / "job.bat";
    writeRaw(target, "old");
    if (::setxattr(target.c_str(), "user.tovrin.origin", "kept", 4, 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system takes no user attributes: " << std::strerror(errno);
    writeText(target, {u"new"}, fileSystem);
    char value[16] = {};
    EXPECT_EQ(::getxattr(target.c_str(), "user.tovrin.origin", value, sizeof value), 4) << std::strerror(errno);
    EXPECT_STREQ(value, "kept");
}

// Permission bits bind only a user without root's rights: as root the test
// runs the writer in a child that has become nobody.
TEST_F(AtomicFileTest, WhatThisUserMayNotWriteIsRefusedWithTheReason) {
    struct Case {
        const char* name;
        mode_t fileMode; // 0: no file yet
        mode_t folderMode;
        std::string reason;
    };
    const fs::path inside = folder / "inside", target = inside / "job.bat";
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    const std::string folderRefused = "the folder \"" + inside.string() + "\" may not be written";
    for (const Case& c : std::vector<Case>{{"read-only file", 0444, 0777, "Permission denied."},
                                           {"writable file in a read-only folder", 0644, 0555, folderRefused},
                                           {"new file in a read-only folder", 0, 0555, folderRefused}}) {
        SCOPED_TRACE(c.name);
        fs::remove_all(inside);
        fs::create_directories(inside);
        const ModeGuard restore{inside, 0755};
        if (c.fileMode) {
            writeRaw(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), c.fileMode), 0);
            ASSERT_EQ(::geteuid() != 0 || ::chown(target.c_str(), 65534, 65534) == 0, true);
        }
        ASSERT_EQ(::geteuid() != 0 || ::chown(inside.c_str(), 65534, 65534) == 0, true);
        ASSERT_EQ(::chmod(inside.c_str(), c.folderMode), 0);

        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            // Else any refusal would be the path's, not the one tested.
            if (::access(inside.c_str(), X_OK) != 0)
                ::_exit(4);
            std::string message;
            try {
                writeText(target, {u"new"}, fileSystem);
            } catch (const PlatformError& error) {
                message = error.what();
            }
            ::_exit(::write(pipe[1], message.data(), message.size()) < 0 ? 3 : 0);
        }
        ::close(pipe[1]);
        char buffer[1024];
        const ssize_t length = ::read(pipe[0], buffer, sizeof buffer);
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (status == W_EXITCODE(4, 0))
            GTEST_SKIP() << "the temporary folder " << folder << " is out of reach of a user without rights";
        ASSERT_EQ(status, 0) << "the child could not run the writer";
        const std::string message(buffer, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(fs::exists(target) ? contentOf(target) : "(none)", c.fileMode ? "old" : "(none)");
    }
}

TEST_F(AtomicFileTest, InterruptedAndShortWritesLoseNoByte) {
    std::u16string text(70'000, u'0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] += i % 64;
    fileSystem.interrupting = true;
    for (const char* name : {"single.bat", "linked.bat"}) {
        writeRaw(folder / name, "old");
        if (name == std::string("linked.bat"))
            fs::create_hard_link(folder / name, folder / "other.bat");
        writeText(folder / name, {text}, fileSystem);
        EXPECT_EQ(contentOf(folder / name), std::string(text.begin(), text.end())) << name;
    }
}

TEST_F(AtomicFileTest, TemporaryFileThatCannotBeRemovedIsNamed) {
    fileSystem.failure = FailingFileSystem::Failure::SyncAndUnlink;
    const std::string message = failureWriting(folder / "job.bat", {u"new"});
    EXPECT_NE(message.find("left behind"), std::string::npos) << message;
    EXPECT_TRUE(fs::exists(temporaryFileIn(message))) << message;
}

// Each road the writer must refuse, and the faults it must not take for
// one: refused, the message names the path and the reason, and the old file
// and its other names stay as they were (unless the new text is in place
// already), with no temporary file left.
TEST_F(AtomicFileTest, RefusesWithTheReasonAndTouchesNothing) {
    using Failure = FailingFileSystem::Failure;
    const fs::path job = folder / "job.bat", other = folder / "other.bat", secret = folder / "secret";
    const fs::path shared = folder / "shared", planted = shared / "job.bat";
    const std::string newText(10'000, 'n');
    const auto hardLinked = [&] { fs::create_hard_link(job, other); };
    const auto withAttribute = [&] { ASSERT_EQ(::setxattr(job.c_str(), "user.origin", "kept", 4, 0), 0); };
    // nobody's link, in a folder anyone may write (as /tmp) whose owner is given.
    const auto plant = [&](const fs::path& aim, uid_t folderOwner) {
        return [&, aim, folderOwner] {
            fs::create_directory(shared);
            ASSERT_EQ(::chown(shared.c_str(), folderOwner, folderOwner), 0);
            fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
            fs::create_symlink(aim, planted);
            ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
        };
    };
    const auto swapForLink = [&] { fs::remove(job), fs::create_symlink(secret, job); };
    const auto swapForFile = [&] { writeRaw(folder / "swap", "swapped"), fs::rename(folder / "swap", job); };
    const auto makeFolder = [&] { fs::create_directory(folder / "taken.bat"); };
    const auto makeLoop = [&] { fs::create_symlink("b", folder / "a"), fs::create_symlink("a", folder / "b"); };
    const auto makePipe = [&] { ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0); };
    const auto makeSocket = [&] {
        const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, (folder / "socket").c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
        ::close(sock);
    };
    struct Case {
        const char* name;
        std::function<void()> arrange;
        Failure failure;
        std::function<void()> duringWrite;
        fs::path chosen;
        std::string reason; // empty: written
        std::vector<std::pair<fs::path, std::string>> after;
        bool asRoot = false; // only root may give a link to another user
    };
    for (const Case& c : std::vector<Case>{
             {"a missing folder", {}, Failure::None, {}, folder / "missing" / "a.bat", std::strerror(ENOENT), {}},
             {"a file for a folder", {}, Failure::None, {}, job / "a.bat", std::strerror(ENOTDIR), {{job, "old"}}},
             {"a name too long", {}, Failure::None, {}, folder / (std::string(300, 'n') + ".bat"),
              std::strerror(ENAMETOOLONG), {}},
             {"a folder in the way", makeFolder, Failure::None, {}, folder / "taken.bat", FolderInTheWay, {}},
             {"a loop of links", makeLoop, Failure::None, {}, folder / "a", std::strerror(ELOOP), {}},
             {"a named pipe", makePipe, Failure::None, {}, folder / "pipe", "a named pipe of that name is in the way", {}},
             {"a socket", makeSocket, Failure::None, {}, folder / "socket", "a socket of that name is in the way", {}},
             {"nobody's link in a shared folder", plant(secret, 0), Failure::None, {}, planted, ForeignLinkNotFollowed,
              {{secret, "secret"}}, true},
             {"nobody's dangling link in a shared folder", plant(folder / "made", 0), Failure::None, {}, planted,
              ForeignLinkNotFollowed, {{folder / "made", "(none)"}}, true},
             {"the shared folder owner's link", plant(secret, 65534), Failure::None, {}, planted, "",
              {{secret, newText}}, true},
             {"name swapped for a link while written", {}, Failure::None, swapForLink, job, NameTakenOver,
              {{secret, "secret"}}},
             {"hard-linked name swapped for a link", hardLinked, Failure::None, swapForLink, job, NameTakenOver,
              {{other, "old"}, {secret, "secret"}}},
             {"hard-linked name swapped for another file", hardLinked, Failure::None, swapForFile, job, NameTakenOver,
              {{other, "old"}, {job, "swapped"}}},
             {"no room for the in-place copy", hardLinked, Failure::NoRoom, {}, job, std::strerror(ENOSPC),
              {{job, "old"}, {other, "old"}}},
             {"no room, by the free space", hardLinked, Failure::NoRoomToReserve, {}, job, std::strerror(ENOSPC),
              {{job, "old"}, {other, "old"}}},
             {"room, by the free space", hardLinked, Failure::CannotReserve, {}, job, "", {{job, newText}, {other, newText}}},
             {"a write failing half way", {}, Failure::WriteHalfway, {}, job, std::strerror(ENOSPC), {{job, "old"}}},
             {"a write that takes nothing", {}, Failure::WriteTakesNothing, {}, job, std::strerror(EIO), {{job, "old"}}},
             {"the sync failing", {}, Failure::Sync, {}, job, std::strerror(EIO), {{job, "old"}}},
             {"the close failing", {}, Failure::Close, {}, job, std::strerror(EIO), {{job, "old"}}},
             {"the rename failing", {}, Failure::Rename, {}, job, std::strerror(EXDEV), {{job, "old"}}},
             {"a folder that cannot be synced", {}, Failure::FolderSyncUnsupported, {}, job, "", {{job, newText}}},
             {"the folder's sync failing, once the text is in place", {}, Failure::FolderSyncFails, {}, job,
              "power cut may still bring back the old text", {{job, newText}}},
             {"no early writeback on this file system", {}, Failure::WritebackRefused, {}, job, "", {{job, newText}}},
             {"no permissions on this file system", {}, Failure::ChmodUnsupported, {}, job, "", {{job, newText}}},
             {"permissions failing", {}, Failure::ChmodFails, {}, job, std::strerror(EIO), {{job, "old"}}},
             {"an attribute refused", withAttribute, Failure::AttributeRefused, {}, job, "", {{job, newText}}},
             {"an attribute failing", withAttribute, Failure::AttributeFails, {}, job, std::strerror(EIO),
              {{job, "old"}}}}) {
        if (c.asRoot && ::geteuid() != 0)
            continue;
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove_all(entry.path());
        writeRaw(job, "old");
        writeRaw(secret, "secret");
        if (c.arrange)
            c.arrange();
        if (HasFatalFailure())
            return;
        const std::size_t entries = entriesInFolder();
        fileSystem.failure = c.failure;
        fileSystem.writes = 0;
        fileSystem.duringWrite = c.duringWrite;
        const std::u16string text(newText.begin(), newText.end());
        if (c.reason.empty())
            EXPECT_NO_THROW(writeText(c.chosen, {text}, fileSystem));
        else
            EXPECT_NE(failureWriting(c.chosen, {text}).find(c.reason), std::string::npos);
        for (const auto& [path, content] : c.after)
            EXPECT_EQ(fs::exists(path) ? contentOf(path) : "(none)", content) << path;
        EXPECT_EQ(entriesInFolder(), entries) << "no temporary file left behind";
    }
}

// A new file gets what any program's new file gets in a folder with a
// default ACL; a replaced file keeps its own ACL, or its lack of one.
TEST_F(AtomicFileTest, NewFilesTakeTheFoldersAclAndOldOnesKeepTheirs) {
    const auto run = [](const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); };
    const auto aclOf = [](const fs::path& path) {
        std::string acl(4096, '\0');
        std::FILE* listing = ::popen(("getfacl --omit-header --absolute-names " + path.string()).c_str(), "r");
        acl.resize(listing ? std::fread(acl.data(), 1, acl.size(), listing) : 0);
        EXPECT_EQ(listing ? ::pclose(listing) : -1, 0) << path;
        return acl;
    };
    if (run("setfacl -d -m u:nobody:rw " + folder.string()) != 0)
        GTEST_SKIP() << "setfacl (Debian's acl) is missing, or the file system takes no ACLs";
    const fs::path target = folder / "job.bat", touched = folder / "touched";
    ASSERT_EQ(run("touch " + touched.string()), 0);
    for (const char* existing : {"", "setfacl -b", "setfacl -m u:daemon:r"}) {
        SCOPED_TRACE(*existing ? existing : "new file");
        fs::remove(target);
        if (*existing) {
            ASSERT_EQ(run("touch " + target.string() + " && " + existing + " " + target.string()), 0);
        }
        const std::string expected = aclOf(*existing ? target : touched);
        writeText(target, {u"new"}, fileSystem);
        EXPECT_EQ(aclOf(target), expected);
    }
}

// A real small disk, nearly full: the new text fits in the temporary file,
// but not a second time in place of the old text.
TEST_F(AtomicFileTest, NearlyFullDiskLeavesAHardLinkedFileAsItWas) {
    const fs::path disk = folder / "disk", job = disk / "job.bat", other = disk / "other.bat";
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no small disk can be mounted here: " << std::strerror(errno);
    const struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{disk};
    const std::string oldText(16 * 1024, 'o');
    writeRaw(job, oldText);
    fs::create_hard_link(job, other);
    struct statvfs space {};
    ASSERT_EQ(::statvfs(disk.c_str(), &space), 0);
    writeRaw(disk / "filler", std::string(space.f_bavail * space.f_frsize - 36 * 1024, 'f'));

    const std::string message = failureWriting(job, {std::u16string(32 * 1024, u'n')});
    EXPECT_NE(message.find(std::strerror(ENOSPC)), std::string::npos) << message;
    EXPECT_EQ(contentOf(other), oldText);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 3);
}

// The temporary file is made by a name of its own in the open folder: a
// short name at the end of a long path leaves no room for a longer one.
TEST_F(AtomicFileTest, NameNearThePathLimitIsWritten) {
    fs::path target = folder;
    for (std::size_t left = 4088 - target.string().size() - std::string("/a.bat").size(); left > 0;) {
        const std::size_t length = left - 1 <= 255 ? left - 1 : 200;
        target /= std::string(length, 'd');
        left -= length + 1;
    }
    fs::create_directories(target);
    target /= "a.bat";
    ASSERT_EQ(target.string().size(), 4088u);
    writeText(target, {u"x"}, fileSystem);
    EXPECT_EQ(contentOf(target), "x");
}

} // namespace
} // namespace tovrin
