#include "platform/posix/Windows1252.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

std::string encoded(std::string_view text) {
    std::string bytes;
    const auto failure = encodeWindows1252(text, bytes);
    EXPECT_FALSE(failure.has_value()) << "U+" << std::hex << static_cast<unsigned>(failure->character);
    return bytes;
}

TEST(Windows1252, TypedTextPassesUnchanged) {
    EXPECT_EQ(encoded("@echo off\r\nset A=1\r\necho %A%"), "@echo off\r\nset A=1\r\necho %A%");
    EXPECT_EQ(encoded("line\r\n"), "line\r\n");
    EXPECT_EQ(encoded(""), "");
}

TEST(Windows1252, LettersBecomeOneByteEach) {
    EXPECT_EQ(encoded("\xC3\xA9"), "\xE9");          // é
    EXPECT_EQ(encoded("\xE2\x82\xAC"), "\x80");      // €
    EXPECT_EQ(encoded("\xC2\xA0"), "\xA0");          // no-break space stays itself
    EXPECT_EQ(encoded("caf\xC3\xA9 \xE2\x82\xAC" "5\r\n\xC3\xBF"), "caf\xE9 \x80" "5\r\n\xFF");
}

TEST(Windows1252, EveryKindOfLineBreakBecomesCrLf) {
    EXPECT_EQ(encoded("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(encoded("\n\n"), "\r\n\r\n");
    EXPECT_EQ(encoded("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(encoded("\n\r"), "\r\n\r\n");
}

TEST(Windows1252, UnencodableCharacterIsNamedWithLineAndColumn) {
    std::string bytes;
    // Line 3, after "é€" and a tab: the fourth character is U+4E2D.
    const auto failure = encodeWindows1252("ok\r\nok\n\xC3\xA9\xE2\x82\xAC\t\xE4\xB8\xAD!", bytes);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->character, U'\u4E2D');
    EXPECT_EQ(failure->line, 3u);
    EXPECT_EQ(failure->column, 4u);

    const auto emoji = encodeWindows1252("\xF0\x9F\x98\x80", bytes);
    ASSERT_TRUE(emoji.has_value());
    EXPECT_EQ(emoji->character, U'\U0001F600');
    EXPECT_EQ(emoji->line, 1u);
    EXPECT_EQ(emoji->column, 1u);
}

TEST(Windows1252, BrokenUtf8IsRefusedAtItsFirstByte) {
    std::string bytes;
    // Cut short, an overlong form of "/", an encoded surrogate, a stray
    // continuation byte, and a lead byte no sequence starts with.
    for (const std::string broken : {"ab\xC3", "ab\xC0\xAF", "ab\xED\xA0\x80", "ab\x80", "ab\xFF"}) {
        const auto failure = encodeWindows1252(broken + "cd", bytes);
        ASSERT_TRUE(failure.has_value()) << broken;
        EXPECT_EQ(failure->line, 1u);
        EXPECT_EQ(failure->column, 3u);
    }
}

} // namespace
} // namespace tovrin
