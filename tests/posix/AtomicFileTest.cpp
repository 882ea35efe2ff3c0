#include "platform/PlatformError.h"
#include "platform/batchfile/BatchFileWriter.h"
#include "platform/batchfile/WriteFailure.h"
#include "platform/posix/AtomicFile.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <grp.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
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

// Real system calls, except the one a test makes fail, and a record of
// where files are made, renamed and synced.
class FailingFileSystem : public FileSystem {
public:
    enum class Failure { None, WriteHalfway, Sync, Close, Rename, SyncAndUnlink, Chown, CopyHalfway };
    Failure failure = Failure::None;
    bool interrupting = false; // every other call interrupted, writes a few bytes at a time
    int writes = 0;
    std::vector<std::string> calls;

    int mkstemp(char* pathTemplate) override {
        calls.push_back("mkstemp " + std::string(pathTemplate));
        return named(FileSystem::mkstemp(pathTemplate), pathTemplate);
    }
    int open(const char* path, int flags) override {
        const int fd = named(FileSystem::open(path, flags), path);
        opened.push_back(fd);
        return fd;
    }
    int fchown(int fd, uid_t owner, gid_t group) override {
        return failure == Failure::Chown ? fail(EPERM) : FileSystem::fchown(fd, owner, group);
    }
    ssize_t write(int fd, const void* data, size_t size) override {
        const bool copy = std::find(opened.begin(), opened.end(), fd) != opened.end();
        const bool halfway = failure == (copy ? Failure::CopyHalfway : Failure::WriteHalfway);
        if (halfway && writes++ > 0)
            return fail(ENOSPC);
        if (interrupting && ++interruptions % 2)
            return fail(EINTR);
        // Write half first, so that a failure finds a half-written file.
        return FileSystem::write(fd, data, interrupting ? std::min<size_t>(size, 7) : halfway ? size / 2 : size);
    }
    ssize_t pread(int fd, void* data, size_t size, off_t offset) override {
        return interrupting && ++interruptions % 2 ? fail(EINTR) : FileSystem::pread(fd, data, size, offset);
    }
    int fsync(int fd) override {
        calls.push_back("fsync " + names[fd]);
        return failure == Failure::Sync || failure == Failure::SyncAndUnlink ? fail(EIO) : FileSystem::fsync(fd);
    }
    int close(int fd) override {
        const int result = FileSystem::close(fd);
        return failure == Failure::Close ? fail(EIO) : result;
    }
    int rename(const char* from, const char* to) override {
        calls.push_back("rename " + std::string(to));
        return failure == Failure::Rename ? fail(EXDEV) : FileSystem::rename(from, to);
    }
    int unlink(const char* path) override {
        return failure == Failure::SyncAndUnlink ? fail(EBUSY) : FileSystem::unlink(path);
    }

private:
    static int fail(int error) {
        errno = error;
        return -1;
    }
    int named(int fd, const std::string& name) {
        if (fd >= 0)
            names[fd] = name;
        return fd;
    }
    std::map<int, std::string> names;
    std::vector<int> opened;
    int interruptions = 0;
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

    // The temporary file a message names, in quotes.
    std::string temporaryFileIn(const std::string& message) const {
        const std::size_t named = message.find((folder / ".tovrin-").string());
        return named == std::string::npos ? "" : message.substr(named, message.find('"', named) - named);
    }

    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
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

TEST_F(AtomicFileTest, ReplacesAnExistingFileKeepingItsPermissions) {
    const fs::path target = folder / "job.bat";
    writeRaw(target, "old content that is longer than the new one");
    ASSERT_EQ(::chmod(target.c_str(), 0751), 0);
    writeText(target, {u"new"}, fileSystem);
    EXPECT_EQ(contentOf(target), "new");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0751u);
}

TEST_F(AtomicFileTest, NewFileGetsThePermissionsTheUmaskAllows) {
    for (const auto& [mask, permissions] : std::vector<std::pair<mode_t, mode_t>>{{022, 0644}, {027, 0640}, {0, 0666}}) {
        const mode_t old = ::umask(mask);
        const fs::path target = folder / ("new" + std::to_string(mask) + ".bat");
        writeText(target, {u"x"}, fileSystem);
        EXPECT_EQ(::umask(old), mask) << "the writer left the umask as it was";
        EXPECT_EQ(modeOf(target), permissions) << "umask " << mask;
    }
}

TEST_F(AtomicFileTest, UnencodableCharacterAfterWrittenPiecesKeepsTheOldFileAndSaysWhere) {
    const fs::path target = folder / "job.bat";
    writeRaw(target, "old");
    const std::string message = failureWriting(target, {u"echo 1\r\n", std::u16string(70'000, u'e'), u"\r\necho \u4E2D"});
    EXPECT_NE(message.find("U+4E2D"), std::string::npos) << message;
    EXPECT_NE(message.find("line 3, column 6"), std::string::npos) << message;
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(AtomicFileTest, RealFailuresNameThePathAndTheReason) {
    writeRaw(folder / "plain", "a file, not a folder");
    fs::create_directories(folder / "taken.bat");
    const std::string longName(300, 'n');

    EXPECT_NE(failureWriting(folder / "missing" / "a.bat", {u"x"}).find("No such file or directory"), std::string::npos);
    EXPECT_NE(failureWriting(folder / "plain" / "a.bat", {u"x"}).find("Not a directory"), std::string::npos);
    EXPECT_NE(failureWriting(folder / (longName + ".bat"), {u"x"}).find("File name too long"), std::string::npos);
    EXPECT_NE(failureWriting(folder / "taken.bat", {u"x"}).find(FolderInTheWay), std::string::npos);
    EXPECT_EQ(entriesInFolder(), 2u) << "no temporary file left behind";
}

TEST_F(AtomicFileTest, FailureAtAnyStepLeavesTheOldFileExactlyAsItWas) {
    const fs::path target = folder / "job.bat";
    const std::string oldBytes = "@echo old\r\n";
    const std::vector<std::u16string> newText{std::u16string(64 * 1024, u'n')};
    for (auto failure : {FailingFileSystem::Failure::WriteHalfway, FailingFileSystem::Failure::Sync,
                         FailingFileSystem::Failure::Close, FailingFileSystem::Failure::Rename}) {
        writeRaw(target, oldBytes);
        fileSystem.failure = failure;
        fileSystem.writes = 0;
        const std::string message = failureWriting(target, newText);
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(contentOf(target), oldBytes);
        EXPECT_EQ(entriesInFolder(), 1u) << "the temporary file must be removed";
    }
    EXPECT_NE(failureWriting(target, newText).find("Invalid cross-device link"), std::string::npos);
}

// The name the user chose may lead elsewhere; the file found there is the
// one replaced, and the temporary file is made beside it so that the rename
// stays within one folder.
TEST_F(AtomicFileTest, ReplacesTheFileTheNameLeadsTo) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // name, where it points
        bool fileExists;
    };
    const fs::path real = folder / "real" / "job.bat";
    for (const Case& c : std::vector<Case>{{"plain file", {}, true},
                                           {"relative link", {{"job.bat", "real/job.bat"}}, true},
                                           {"absolute link", {{"job.bat", real.string()}}, true},
                                           {"chain of links", {{"job.bat", "next"}, {"next", "real/job.bat"}}, true},
                                           {"dangling link", {{"job.bat", "real/job.bat"}}, false}}) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(real.parent_path());
        if (c.fileExists)
            writeRaw(real, "old text, longer than the new");
        for (const auto& [name, pointsTo] : c.links)
            fs::create_symlink(pointsTo, folder / name);
        const fs::path chosen = c.links.empty() ? real : folder / "job.bat";
        fileSystem.calls.clear();
        writeText(chosen, {u"new"}, fileSystem);
        EXPECT_EQ(contentOf(real), "new");
        EXPECT_EQ(fs::is_symlink(chosen), !c.links.empty());
        ASSERT_FALSE(fileSystem.calls.empty());
        EXPECT_EQ(fileSystem.calls.front(), "mkstemp " + (real.parent_path() / ".tovrin-XXXXXX").string());
    }
}

TEST_F(AtomicFileTest, RefusesWhatIsNotAFileAndLeavesItAlone) {
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, (folder / "socket").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
    const std::size_t entries = entriesInFolder();

    EXPECT_NE(failureWriting(folder / "loop-a", {u"x"}).find(std::strerror(ELOOP)), std::string::npos);
    EXPECT_NE(failureWriting(folder / "pipe", {u"x"}).find("a named pipe of that name is in the way"), std::string::npos);
    EXPECT_NE(failureWriting(folder / "socket", {u"x"}).find("a socket of that name"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
    EXPECT_TRUE(fs::is_socket(folder / "socket"));
    EXPECT_EQ(entriesInFolder(), entries) << "no temporary file left behind";
    ::close(sock);
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

    // A copy that fails half way has lost the old text: the message must
    // say where the whole new one is.
    fileSystem.failure = FailingFileSystem::Failure::CopyHalfway;
    const std::string message = failureWriting(second, {u"other " + std::u16string(newText.begin(), newText.end())});
    EXPECT_EQ(contentOf(temporaryFileIn(message)), "other " + newText) << message;
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
        EXPECT_EQ(c.fileMode ? contentOf(target) : "", c.fileMode ? "old" : "");
        ::chmod(inside.c_str(), 0755);
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

TEST_F(AtomicFileTest, FolderIsSyncedAfterTheRename) {
    const fs::path target = folder / "job.bat";
    writeText(target, {u"new"}, fileSystem);
    const auto renamed = std::find(fileSystem.calls.begin(), fileSystem.calls.end(), "rename " + target.string());
    ASSERT_NE(renamed, fileSystem.calls.end());
    EXPECT_NE(std::find(renamed, fileSystem.calls.end(), "fsync " + folder.string()), fileSystem.calls.end());
}

TEST_F(AtomicFileTest, TemporaryFileThatCannotBeRemovedIsNamed) {
    fileSystem.failure = FailingFileSystem::Failure::SyncAndUnlink;
    const std::string message = failureWriting(folder / "job.bat", {u"new"});
    EXPECT_NE(message.find("left behind"), std::string::npos) << message;
    EXPECT_TRUE(fs::exists(temporaryFileIn(message))) << message;
}

} // namespace
} // namespace tovrin
