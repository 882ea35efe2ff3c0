#include "platform/PlatformError.h"
#include "platform/win32/BatchFileWriter.h"
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

// The failure's message, after checking that it names the path and gives a reason.
std::string failureWriting(const fs::path& path, const std::string& text) {
    const std::string name = utf8Of(path);
    try {
        writeBatchFile(name, text);
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

// The test runs with the ANSI code page 1252 (LANG=C.UTF-8 under Wine).
TEST(Win32BatchFileWriter, WritesAnsiBytesWithEveryLineBreakAsCrLf) {
    ASSERT_EQ(GetACP(), 1252u) << "these expectations are for Windows-1252";
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeBatchFile(utf8Of(file), "copy caf\xC3\xA9.txt \xE2\x82\xAC\nb\r\nc\rd\r\n");
    EXPECT_EQ(contentOf(file), "copy caf\xE9.txt \x80\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left behind";
}

TEST(Win32BatchFileWriter, ReplacesAnExistingFileWhole) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, std::string(5000, 'x'));
    writeBatchFile(utf8Of(file), "dir");
    EXPECT_EQ(contentOf(file), "dir");
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(Win32BatchFileWriter, RefusesACharacterTheCodePageLacksAndTouchesNothing) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "job.bat";
    writeRaw(file, "old");
    // Greek Omega, then a character outside the Basic Multilingual Plane.
    for (const auto& [text, named] : {std::pair{"ok\r\nab\xCE\xA9", "U+03A9 on line 2, column 3"},
                                      std::pair{"\xF0\x9F\x98\x80 x", "U+1F600 on line 1, column 1"}}) {
        const std::string message = failureWriting(file, text);
        EXPECT_NE(message.find(named), std::string::npos) << message;
        EXPECT_NE(message.find("Windows-1252"), std::string::npos) << message;
        EXPECT_EQ(contentOf(file), "old");
        EXPECT_EQ(folder.entries(), 1u);
    }
}

TEST(Win32BatchFileWriter, FailuresNameThePathAndTheSystemsReason) {
    TemporaryFolder folder;
    writeRaw(folder.path() / "plain", "a file, not a folder");
    fs::create_directories(folder.path() / "taken.bat");

    failureWriting(folder.path() / "missing" / "job.bat", "dir");
    failureWriting(folder.path() / "plain" / "job.bat", "dir");
    failureWriting(folder.path() / "taken.bat", "dir");

    EXPECT_TRUE(fs::is_directory(folder.path() / "taken.bat")) << "a folder in the way is left alone";
    EXPECT_EQ(folder.entries(), 2u) << "no temporary file is left behind";
}

} // namespace
} // namespace tovrin
