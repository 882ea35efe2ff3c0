#include "platform/PlatformError.h"
#include "platform/batchfile/BatchFileWriter.h"
#include "tests/support/MemoryFile.h"

#include <gtest/gtest.h>

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
// Up to the end of the encoder's first stretch of text, ending with CR.
const std::u16string UpToStretchEnd(16 * 1024 - 1, u'a');

const Written WrittenTexts[] = {
    {1252, {}, ""},
    {1252, {u"@echo off\r\ncd \\tools"}, "@echo off\r\ncd \\tools"},
    // Every kind of line break, and where the pieces cut it.
    {1252, {u"a\r\nb\rc\nd\u2028e\u2029f\r"}, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"},
    {1252, {u"a\r", u"\nb\r", u"\rc\n", u"\r"}, "a\r\nb\r\n\r\nc\r\n\r\n"},
    {1252, {UpToStretchEnd + u"\r\nb"}, std::string(UpToStretchEnd.size(), 'a') + "\r\nb"},
    // More than the encoder holds back before it writes.
    {1252, {std::u16string(300'000, u'a'), u"\u00E9"}, std::string(300'000, 'a') + "\xE9"},
    {1252, {u"caf\u00E9 \u20AC" u"5\u00A0\u00FF", u"", u"\u0178"}, "caf\xE9 \x80" "5\xA0\xFF\x9F"},
    {932, {u"C:\\\u30A2", u"\u30A2\r\n"}, "C:\\\x83\x41\x83\x41\r\n"},
};

const Refused RefusedTexts[] = {
    {1252, {u"ok\r\nok\r\n\u00E9\u20AC\t\u4E2D!"}, "U+4E2D on line 3, column 4"},
    {1252, {u"ok\r", u"\nok\u2029\u00E9", u"\u20AC", u"\t\u4E2D!"}, "U+4E2D on line 3, column 4"},
    {1252, {Long, u"\r\n", Long + u"\u4E2D"}, "U+4E2D on line 2, column 40001"},
    {1252, {UpToStretchEnd + u"\r\n\u4E2D"}, "U+4E2D on line 2, column 1"},
    {1252, {u"ab\xD83D", u"\xDE00"}, "U+1F600 on line 1, column 3"},
    // Half of a pair alone, wherever it stands.
    {1252, {u"ab\xD83D" u"c"}, "U+D83D on line 1, column 3"},
    {1252, {u"ab\xDE00" u"c"}, "U+DE00 on line 1, column 3"},
    {1252, {u"ab\xD83D"}, "U+D83D on line 1, column 3"},
    {1252, {u"ab\xD83D", u"\r\nmore"}, "U+D83D on line 1, column 3"},
    {1251, {u"\u041F\u0440\u0438\u0432\u0435\u0442 \u00E9"}, "U+00E9 on line 1, column 8"},
    {932, {u"\u30A2\r\n\u00E9"}, "U+00E9 on line 2, column 1"},
};

TEST(BatchFile, TextBecomesTheBytesOfItsCodePageWithCrLfBreaks) {
    for (const Written& text : WrittenTexts) {
        const auto codePage = openCodePage(text.codePage);
        MemoryFile file;
        writeBatchFile("a.bat", [&](const PieceReceiver& receive) { for (const auto& piece : text.pieces) receive(piece); },
                       *codePage, file);
        EXPECT_EQ(file.bytes, text.bytes) << "in Windows-" << text.codePage;
        EXPECT_TRUE(file.committed);
    }
}

TEST(BatchFile, TheFirstCharacterThatCannotGoInIsNamedWhereTheUserSeesItAndNothingIsCommitted) {
    for (const Refused& text : RefusedTexts) {
        const auto codePage = openCodePage(text.codePage);
        MemoryFile file;
        std::string message;
        try {
            writeBatchFile("dir/a.bat", [&](const PieceReceiver& receive) { for (const auto& piece : text.pieces) receive(piece); },
                           *codePage, file);
        } catch (const PlatformError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, "Could not write \"dir/a.bat\": the character " + text.named + " has no place in the Windows-" +
                               std::to_string(text.codePage) + " code page. Nothing was written.");
        EXPECT_FALSE(file.committed);
    }
}

TEST(BatchFile, ANameWithAControlCharacterIsRefused) {
    using namespace std::string_literals;
    for (const std::string& name : {"two\nlines"s, "tab\there"s, "nul\0"s, "del\x7F"s})
        EXPECT_THROW(checkFileName("/w/" + name + ".bat"), PlatformError) << name;
    EXPECT_NO_THROW(checkFileName("/w/caf\xC3\xA9 \xE3\x82\xA2 - copy (2).bat"));
}

} // namespace
} // namespace tovrin
