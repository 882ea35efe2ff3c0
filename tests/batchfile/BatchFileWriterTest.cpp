#include "platform/PlatformError.h"
#include "batchfile/BatchFileWriter.h"
#include "batchfile/MemoizedCodePage.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MemoryFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <thread>
#include <utility>
#include <vector>

namespace tovrin {
namespace {

using testing::MemoryFile;

// The byte rules of every batch file, checked against each platform's own
// conversion to the code pages.

struct Written {
    unsigned codePage;
    std::vector<std::u16string> pieces;
    std::string bytes;
};

struct Refused {
    unsigned codePage;
    std::vector<std::u16string> pieces;
    std::string named;  // the character and where it stands
};

const std::u16string Long(40'000, u'a');
std::u16string digits(std::size_t count) {
    std::u16string text(count, u'0');
    for (std::size_t i = 0; i < count; ++i)
        text[i] = static_cast<char16_t>(u'0' + i % 10);
    return text;
}
const std::u16string Digits = digits(4'500'000);
// Up to one byte short of the encoder's first block of bytes.
const std::u16string UpToBlockEnd(256 * 1024 - 1, u'a');

const Written WrittenTexts[] = {
    {1252, {}, ""},
    {1252, {u"@echo off\r\ncd \\tools"}, "@echo off\r\ncd \\tools"},
    // Every kind of line break, and where the pieces cut it.
    {1252, {u"a\r\nb\rc\nd\u2028e\u2029f\r"}, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"},
    {1252, {u"a\r", u"\nb\r", u"\rc\n", u"\r"}, "a\r\nb\r\n\r\nc\r\n\r\n"},
    {1252, {UpToBlockEnd + u"\r\nb"}, std::string(UpToBlockEnd.size(), 'a') + "\r\nb"},
    // More than the encoder's largest block, and a few of them.
    {1252, {Digits, u"\u00E9"}, std::string(Digits.begin(), Digits.end()) + "\xE9"},
    {1252, {u"caf\u00E9 \u20AC" u"5\u00A0\u00FF", u"", u"\u0178"}, "caf\xE9 \x80" "5\xA0\xFF\x9F"},
    // Eight units at a time, once the page's answers are known.
    {1252,
     {u"caf\u00E9 \u20AC" u"5 caf\u00E9 \u20AC" u"5 caf\u00E9 \u20AC" u"5 "},
     "caf\xE9 \x80" "5 caf\xE9 \x80" "5 caf\xE9 \x80" "5 "},
    {932, {u"C:\\\u30A2", u"\u30A2\r\n"}, "C:\\\x83\x41\x83\x41\r\n"},
};

const Refused RefusedTexts[] = {
    {1252, {u"ok\r\nok\r\n\u00E9\u20AC\t\u4E2D!"}, "U+4E2D on line 3, column 4"},
    {1252, {u"ok\r", u"\nok\u2029\u00E9", u"\u20AC", u"\t\u4E2D!"}, "U+4E2D on line 3, column 4"},
    {1252, {Long, u"\r\n", Long + u"\u4E2D"}, "U+4E2D on line 2, column 40001"},
    {1252, {UpToBlockEnd + u"\r\n\u4E2D"}, "U+4E2D on line 2, column 1"},
    {1252, {UpToBlockEnd + u"\xD83D\xDE00"}, "U+1F600 on line 1, column 262144"},
    {1252, {u"ab\xD83D", u"\xDE00"}, "U+1F600 on line 1, column 3"},
    // Half of a pair alone, wherever it stands.
    {1252, {u"ab\xD83D" u"c"}, "U+D83D on line 1, column 3"},
    {1252, {u"ab\xDE00" u"c"}, "U+DE00 on line 1, column 3"},
    {1252, {u"ab\xD83D"}, "U+D83D on line 1, column 3"},
    {1252, {u"ab\xD83D", u"\r\nmore"}, "U+D83D on line 1, column 3"},
    {1251, {u"\u041F\u0440\u0438\u0432\u0435\u0442 \u00E9"}, "U+00E9 on line 1, column 8"},
    {1251, {u"ok \u00E9"}, "U+00E9 on line 1, column 4"},
    {932, {u"\u30A2\r\n\u00E9"}, "U+00E9 on line 2, column 1"},
};

std::string failureOf(const std::function<void()>& write) {
    try {
        write();
    } catch (const PlatformError& error) {
        return error.what();
    }
    return "";
}

TEST(BatchFile, TextBecomesTheBytesOfItsCodePageWithCrLfBreaks) {
    for (const Written& text : WrittenTexts) {
        MemoizedCodePage codePage(openCodePage(text.codePage));
        MemoryFile file;
        writeBatchFile("a.bat", [&](const PieceReceiver& receive) { for (const auto& piece : text.pieces) receive(piece); },
                       codePage, file);
        EXPECT_EQ(file.bytes, text.bytes) << "in Windows-" << text.codePage;
        EXPECT_TRUE(file.committed);
    }
}

TEST(BatchFile, TheFirstCharacterThatCannotGoInIsNamedWhereTheUserSeesItAndNothingIsCommitted) {
    for (const Refused& text : RefusedTexts) {
        MemoizedCodePage codePage(openCodePage(text.codePage));
        MemoryFile file;
        const std::string message = failureOf([&] {
            writeBatchFile("dir/a.bat", [&](const PieceReceiver& receive) { for (const auto& piece : text.pieces) receive(piece); },
                           codePage, file);
        });
        EXPECT_EQ(message, "Could not write \"dir/a.bat\": the character " + text.named + " has no place in the Windows-" +
                               std::to_string(text.codePage) + " code page. Nothing was written.");
        EXPECT_FALSE(file.committed);
    }
}

// A code page that lacks one character, and may name one past the end.
struct OneLackingPage : CodePage {
    explicit OneLackingPage(char16_t character) : lacking(character) {}

    char16_t lacking;
    std::optional<std::size_t> named;

    std::string name() const override { return "Windows-0"; }
    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override {
        if (named)
            return named;
        const std::size_t at = text.find(lacking);
        if (at != std::u16string_view::npos)
            return at;
        bytes.append(text.size(), '?');
        return std::nullopt;
    }
};

TEST(BatchFile, ColumnsCountCharactersAndAnOffsetPastTheEndIsAnError) {
    OneLackingPage page(u'\u4E2D');
    // The pair in the same piece as the refused character, and in the one before.
    for (const std::vector<std::u16string>& pieces :
         {std::vector<std::u16string>{u"\xD83D\xDE00\u00E9\u4E2D"}, {u"\xD83D\xDE00", u"\u00E9\u4E2D"}}) {
        const TextInPieces text = [&](const PieceReceiver& receive) { for (const auto& piece : pieces) receive(piece); };
        MemoryFile file;
        const std::string refusal = failureOf([&] { writeBatchFile("a.bat", text, page, file); });
        EXPECT_NE(refusal.find("U+4E2D on line 1, column 3 "), std::string::npos) << refusal;
        page.named = 1;
        const std::string error = failureOf([&] { writeBatchFile("a.bat", text, page, file); });
        EXPECT_NE(error.find("named a character past the end"), std::string::npos) << error;
        EXPECT_FALSE(file.committed);
        page.named.reset();
    }
}

// A file that fails at one of its writes, which take place on another
// thread while the text is converted, once it is long.
struct FailingFile : MemoryFile {
    int failAt;
    int writes = 0;
    std::vector<bool> byTheCaller;  // whether each write came from the caller's thread
    const std::thread::id caller = std::this_thread::get_id();

    explicit FailingFile(int failing) : failAt(failing) {}
    void write(std::string_view more) override {
        byTheCaller.push_back(std::this_thread::get_id() == caller);
        if (++writes == failAt)
            throw PlatformError("Could not write \"a.bat\": No space left on device.");
        MemoryFile::write(more);
    }
};

TEST(BatchFile, AFailedWriteOfTheFileReachesTheWriterAndNothingIsCommitted) {
    // Six blocks: three written alone, then one at a time on the other
    // thread, the last once the text ends.
    const std::u16string text(4'000'000, u'a');
    for (const int failing : {1, 4, 6}) {
        MemoizedCodePage codePage(openCodePage(1252));
        FailingFile file(failing);
        const TextInPieces whole = [&](const PieceReceiver& receive) { receive(text); };
        const std::string message = failureOf([&] { writeBatchFile("a.bat", whole, codePage, file); });
        EXPECT_EQ(message, "Could not write \"a.bat\": No space left on device.") << "failing at write " << failing;
        EXPECT_EQ(file.writes, failing);
        EXPECT_FALSE(file.committed);
        for (std::size_t write = 0; write < file.byTheCaller.size(); ++write)
            EXPECT_EQ(file.byTheCaller[write], write < 3) << "write " << write + 1;
    }
}

// Names, as UTF-8, with the character each one is refused for; the message
// shows it by its number in the name too.
const std::pair<std::string, const char*> RefusedNames[] = {
    {std::string("nul\0", 4), "U+0000"},
    {"two\nlines", "U+000A"},
    {"tab\there, then\nlines", "U+0009"},  // the first is named
    {"del\x7F", "U+007F"},
    {"next line \xC2\x85", "U+0085"},
    {"last C1 \xC2\x9F", "U+009F"},
    {"line \xE2\x80\xA8 separator", "U+2028"},
    {"paragraph \xE2\x80\xA9 separator", "U+2029"},
    {"embedding \xE2\x80\xAA", "U+202A"},
    {"reversed \xE2\x80\xAEtab.exe", "U+202E"},
    {"isolate \xE2\x81\xA6", "U+2066"},
    {"pop isolate \xE2\x81\xA9", "U+2069"},
};

TEST(BatchFile, ANameWithACharacterNoSystemShouldHoldIsRefusedNamingIt) {
    for (const auto& [name, character] : RefusedNames) {
        const std::string message = failureOf([&] { checkFileName("/w/" + name + ".bat"); });
        EXPECT_NE(message.find(std::string("<") + character + ">"), std::string::npos) << character << ": " << message;
        EXPECT_NE(message.find(std::string("\": the name holds the ")), std::string::npos) << message;
        EXPECT_NE(message.find(std::string(" ") + character + ", which has no place"), std::string::npos) << message;
    }
    // Neighbours of the refused ranges, letters of other scripts, a lone
    // byte that starts no character.
    for (const char* name : {"caf\xC3\xA9 \xE3\x82\xA2 - copy (2)", "nbsp\xC2\xA0~", "dash\xE2\x80\x94\xE2\x80\xAF",
                             "\xE2\x81\xA5\xE2\x81\xAA", "emoji \xF0\x9F\x98\x80", "latin1 \xE9", "lone \x85"})
        EXPECT_NO_THROW(checkFileName(std::string("/w/") + name + ".bat")) << name;
}

// Generate on this system, to the disk: ASCII is the same in every code page.
TEST(BatchFile, GenerateRefusesABadNameAndWritesAGoodOneToTheDisk) {
    const auto folder = std::filesystem::temp_directory_path() / ("tovrin-generate-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const TextInPieces text = [](const PieceReceiver& receive) { receive(u"@echo off\ndir"); };
    const std::u8string name = (folder / "a.bat").u8string();

    EXPECT_THROW(generateBatchFile(std::string(name.begin(), name.end() - 4) + "\n.bat", text), PlatformError);
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "a refused name writes nothing";
    generateBatchFile(std::string(name.begin(), name.end()), text);
    EXPECT_EQ(testing::contentOf(folder / "a.bat"), "@echo off\r\ndir");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tovrin
