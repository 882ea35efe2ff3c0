#include "platform/PlatformError.h"
#include "platform/batchfile/BatchFileWriter.h"
#include "platform/batchfile/WriteFailure.h"
#include "platform/posix/AtomicFile.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
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

// Real system calls, except the one a test makes fail.
class FailingFileSystem : public FileSystem {
public:
    enum class Failure { None, WriteHalfway, Sync, Close, Rename };
    Failure failure = Failure::None;
    int writes = 0;

    ssize_t write(int fd, const void* data, size_t size) override {
        if (failure == Failure::WriteHalfway && writes++ > 0)
            return fail(ENOSPC);
        // Write half first, so that a failure finds a half-written file.
        return FileSystem::write(fd, data, failure == Failure::WriteHalfway ? size / 2 : size);
    }
    int fsync(int fd) override { return failure == Failure::Sync ? fail(EIO) : FileSystem::fsync(fd); }
    int close(int fd) override {
        const int result = FileSystem::close(fd);
        return failure == Failure::Close ? fail(EIO) : result;
    }
    int rename(const char* from, const char* to) override {
        return failure == Failure::Rename ? fail(EXDEV) : FileSystem::rename(from, to);
    }

private:
    static int fail(int error) {
        errno = error;
        return -1;
    }
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
    const mode_t old = ::umask(022);
    const fs::path target = folder / "new.bat";
    writeText(target, {u"x"}, fileSystem);
    ::umask(old);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
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

} // namespace
} // namespace tovrin
