#include "platform/PlatformError.h"
#include "platform/batchfile/BatchFileWriter.h"
#include "platform/batchfile/WriteFailure.h"
#include "platform/win32/AtomicFile.h"
#include "tests/support/FileBytes.h"
#include "tests/win32/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::utf8Of;

using testing::contentOf;
using testing::writeRaw;

// As Generate writes: through the byte rules, in the system's code page.
void writeText(const std::string& path, std::u16string_view text) {
    const auto codePage = openCodePage(systemCodePage());
    FileSystem fileSystem;
    AtomicFile file(path, fileSystem);
    writeBatchFile(path, [&](const PieceReceiver& receive) { receive(text); }, *codePage, file);
}

// The failure's message, after checking that it names the path and gives a reason.
std::string failureWriting(const fs::path& path, std::u16string_view text) {
    const std::string name = utf8Of(path);
    try {
        writeText(name, text);
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
    EXPECT_EQ(folder.entries(), 1u);
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

} // namespace
} // namespace tovrin
