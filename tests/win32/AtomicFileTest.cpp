#include "platform/PlatformError.h"
#include "batchfile/BatchFileWriter.h"
#include "batchfile/WriteFailure.h"
#include "platform/win32/AtomicFile.h"
#include "tests/support/FileBytes.h"
#include "tests/win32/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tovrin {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::utf8Of;

using testing::contentOf;
using testing::writeRaw;

// As Generate writes; or, given one, through a file system that fails as
// Windows may.
void writeText(const std::string& path, std::u16string_view text, FileSystem* fileSystem = nullptr) {
    const TextInPieces whole = [&](const PieceReceiver& receive) { receive(text); };
    if (fileSystem == nullptr)
        return generateBatchFile(path, whole);
    const auto codePage = openCodePage(systemCodePage());
    AtomicFile file(path, *fileSystem);
    writeBatchFile(path, whole, *codePage, file);
}

// The failure's message, after checking that it names the path and gives a reason.
std::string failureWriting(const fs::path& path, std::u16string_view text, FileSystem* fileSystem = nullptr) {
    const std::string name = utf8Of(path);
    try {
        writeText(name, text, fileSystem);
    } catch (const PlatformError& error) {
        const std::string message = error.what();
        const std::string namedPath = "\"" + name + "\": ";
        EXPECT_NE(message.find(namedPath), std::string::npos) << message;
        EXPECT_GT(message.size(), message.find(namedPath) + namedPath.size() + 3) << "no reason given: " << message;
        return message;
    }
    ADD_FAILURE() << "writing " << name << " did not fail";
    return "";
}

// The tests run with the ANSI code page 1252 (LANG=C.UTF-8 under Wine).
TEST(Win32AtomicFile, WritesTheSystemsCodePageAndReplacesAnExistingFileWhole) {
    ASSERT_EQ(GetACP(), 1252u) << "these expectations are for Windows-1252";
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, std::string(5000, 'x'));
    writeText(utf8Of(file), u"copy caf\u00E9.txt \u20AC\r\ndir");
    EXPECT_EQ(contentOf(file), "copy caf\xE9.txt \x80\r\ndir");
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left behind";
}

TEST(Win32AtomicFile, ARefusedCharacterTouchesNothing) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, "old");
    const std::string message = failureWriting(file, std::u16string(70'000, u'a') + u"\r\nab\u03A9");
    EXPECT_NE(message.find("U+03A9 on line 2, column 3"), std::string::npos) << message;
    EXPECT_NE(message.find("Windows-1252"), std::string::npos) << message;
    EXPECT_EQ(contentOf(file), "old");
    failureWriting(folder.path() / "new.bat", u"\u03A9");
    EXPECT_EQ(folder.entries(), 1u) << "a new name is not left behind, empty";
}

TEST(Win32AtomicFile, FailuresNameThePathAndTheSystemsReason) {
    TemporaryFolder folder;
    writeRaw(folder.path() / "plain", "a file, not a folder");
    fs::create_directories(folder.path() / "taken.bat");

    failureWriting(folder.path() / "missing" / "job.bat", u"dir");
    failureWriting(folder.path() / "plain" / "job.bat", u"dir");
    EXPECT_NE(failureWriting(folder.path() / "taken.bat", u"dir").find(FolderInTheWay), std::string::npos);

    EXPECT_TRUE(fs::is_directory(folder.path() / "taken.bat")) << "a folder in the way is left alone";
    EXPECT_EQ(folder.entries(), 2u) << "no temporary file is left behind";
}

// The folder that scripts/test-windows fills with links made on the Unix side
// (Wine shows a link to a file as that file, and follows it):
// link.bat -> target.bat, outside.bat -> D:\\outside.bat (outside drive C),
// dangling.bat -> missing.bat, loop1.bat <-> loop2.bat, folderlink -> folder,
// folder.bat -> folder; each file holds "old".
const fs::path LinksFolder = "C:\\links";

struct Named {
    const char* name;
    const char* written; // the file that holds the new text; none when refused
    const char* reason;  // in the refusal's message
};

const Named NamesAndLinks[] = {
    {"link.bat", "target.bat", nullptr},
    {"outside.bat", "D:\\outside.bat", nullptr},
    {"dangling.bat", "missing.bat", nullptr},
    {"folderlink\\job.bat", "folder\\job.bat", nullptr},
    {"loop1.bat", nullptr, "cannot be resolved"},
    {"folder.bat", nullptr, "a folder of that name is in the way"},
};

// Each entry with what it holds, read through the links.
std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder))
        entries.push_back(utf8Of(entry.path()) + (entry.is_regular_file() ? "=" + contentOf(entry.path()) : ""));
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Each file written holds "old" again before the next name, so that every
// name still reading "old" after it was written to through a link shows
// that the link still leads there.
TEST(Win32AtomicFile, FollowsLinksToTheFileTheyName) {
    if (!fs::exists(LinksFolder / "link.bat"))
        GTEST_SKIP() << "scripts/test-windows makes the links in " << utf8Of(LinksFolder);
    for (const Named& named : NamesAndLinks) {
        const fs::path path = LinksFolder / named.name;
        std::vector<std::string> expected = entriesOf(LinksFolder);
        if (named.written == nullptr) {
            EXPECT_NE(failureWriting(path, u"new").find(named.reason), std::string::npos) << named.name;
        } else {
            const fs::path written = LinksFolder / named.written;
            // A link to no file, which Wine does not show, appears with it.
            for (const fs::path& shown : {path, written})
                if (!fs::exists(shown) && shown.parent_path() == LinksFolder)
                    expected.push_back(utf8Of(shown) + "=old");
            writeText(utf8Of(path), u"new");
            EXPECT_EQ(contentOf(written), "new") << named.name;
            writeRaw(written, "old");
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entriesOf(LinksFolder), expected) << named.name << ": a link replaced, or a file made or gone";
    }
}

// Names Windows cannot hold, refused before anything is made.
const std::pair<const char*, const char*> RefusedNames[] = {
    {"a\"b.bat", "the character \" (U+0022)"},
    {"a<b", "the character < (U+003C)"},
    {"a|b", "the character | (U+007C)"},
    {"a?b", "the character ? (U+003F)"},
    {"a*b", "the character * (U+002A)"},
    {"job.bat:stream", "the character : (U+003A)"},
    {"...", "the part \"...\" ends in a dot"},
    {"job.", "the part \"job.\" ends in a dot"},
    {"job ", "the part \"job \" ends in a space"},
    {"folder.\\job.bat", "the part \"folder.\" ends in a dot"},
};

TEST(Win32AtomicFile, NamesWindowsCannotHoldAreRefused) {
    TemporaryFolder folder;
    for (const auto& [name, reason] : RefusedNames)
        EXPECT_NE(failureWriting(folder.path() / name, u"new").find(reason), std::string::npos) << name;
    EXPECT_EQ(folder.entries(), 0u);
}

TEST(Win32AtomicFile, AReplacedFileKeepsItsHiddenAndSystemAttributesAndReadOnlyIsRefused) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, "old");
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), attributes));
    writeText(utf8Of(file), u"new");
    EXPECT_EQ(contentOf(file), "new");
    EXPECT_EQ(GetFileAttributesW(file.c_str()), attributes);

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(failureWriting(file, u"newer").find("read-only"), std::string::npos);
    EXPECT_EQ(contentOf(file), "new");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.entries(), 1u);
}

// Windows' own failures, which a real file system will not give on demand.
struct OldFileGoneNewNameRefused : FileSystem {
    BOOL replaceFile(const wchar_t* replaced, const wchar_t*) override {
        DeleteFileW(replaced);
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
        return FALSE;
    }
    BOOL moveFile(const wchar_t*, const wchar_t*) override {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
};

struct WritesNothing : FileSystem {
    BOOL writeFile(HANDLE, const void*, DWORD, DWORD* written) override {
        *written = 0;
        return TRUE;
    }
};

TEST(Win32AtomicFile, WhereTheOldFileIsGoneTheTemporaryFileIsKeptAndNamedAndAWriteOfNothingFails) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, "old");
    OldFileGoneNewNameRefused oldFileGone;
    const std::string message = failureWriting(file, u"new", &oldFileGone);
    const std::string kept = " the whole new text is in \"";
    ASSERT_NE(message.find(kept), std::string::npos) << message;
    const std::size_t start = message.find(kept) + kept.size();
    const fs::path temporary = fs::u8path(message.substr(start, message.find('"', start) - start));
    EXPECT_TRUE(fs::equivalent(temporary.parent_path(), folder.path())) << message;
    EXPECT_EQ(contentOf(temporary), "new");
    EXPECT_EQ(folder.entries(), 1u);

    writeRaw(file, "old");
    WritesNothing writesNothing;
    failureWriting(file, u"new", &writesNothing);
    EXPECT_EQ(contentOf(file), "old");
    EXPECT_EQ(folder.entries(), 2u) << "the write's own temporary file is removed";
}

} // namespace
} // namespace tovrin
