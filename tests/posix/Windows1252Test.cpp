#include "platform/posix/Windows1252.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovrin {
namespace {

std::string encoded(std::u16string_view text) {
    Windows1252Encoder encoder;
    std::string bytes;
    const auto failure = encoder.encode(text, bytes);
    EXPECT_FALSE(failure.has_value()) << "U+" << std::hex << static_cast<unsigned>(failure->character);
    return bytes;
}

// The first character the pieces could not be converted at, given in order
// to one encoder.
std::optional<UnencodableCharacter> failureIn(const std::vector<std::u16string_view>& pieces) {
    Windows1252Encoder encoder;
    std::string bytes;
    for (std::u16string_view piece : pieces)
        if (const auto failure = encoder.encode(piece, bytes))
            return failure;
    return std::nullopt;
}

void expectAt(const std::optional<UnencodableCharacter>& failure, char32_t character, std::size_t line,
              std::size_t column) {
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->character, character);
    EXPECT_EQ(failure->line, line);
    EXPECT_EQ(failure->column, column);
}

TEST(Windows1252, TypedTextAndItsLineBreaksPassUnchanged) {
    EXPECT_EQ(encoded(u"@echo off\r\nset A=1\r\necho %A%\r\n"), "@echo off\r\nset A=1\r\necho %A%\r\n");
    EXPECT_EQ(encoded(u""), "");
}

TEST(Windows1252, LettersBecomeOneByteEach) {
    EXPECT_EQ(encoded(u"\u00E9"), "\xE9");
    EXPECT_EQ(encoded(u"\u20AC"), "\x80");
    EXPECT_EQ(encoded(u"\u00A0"), "\xA0");  // a no-break space stays itself
    EXPECT_EQ(encoded(u"caf\u00E9 \u20AC" "5\r\n\u00FF\u0178"), "caf\xE9 \x80" "5\r\n\xFF\x9F");
}

TEST(Windows1252, PiecesAppendToTheBytesSoFar) {
    Windows1252Encoder encoder;
    std::string bytes = "kept";
    EXPECT_FALSE(encoder.encode(u"\u00E9t\u00E9\r\n", bytes).has_value());
    EXPECT_FALSE(encoder.encode(u"\u20AC", bytes).has_value());
    EXPECT_EQ(bytes, "kept\xE9t\xE9\r\n\x80");
}

TEST(Windows1252, UnencodableCharacterIsNamedWhereTheUserSeesIt) {
    // Line 3, after "é€" and a tab: the fourth character is U+4E2D.
    expectAt(failureIn({u"ok\r\nok\r\n\u00E9\u20AC\t\u4E2D!"}), U'\u4E2D', 3, 4);
    // The same text in pieces, cut inside lines and at a line break.
    expectAt(failureIn({u"ok\r", u"\nok\r\n\u00E9", u"\u20AC", u"\t\u4E2D!"}), U'\u4E2D', 3, 4);
    expectAt(failureIn({u"ab", u"cd", u"\u4E2D"}), U'\u4E2D', 1, 5);
    expectAt(failureIn({u"\U0001F600"}), U'\U0001F600', 1, 1);
    expectAt(failureIn({u"x\r\n", u"\r\n", u"\u2028"}), U'\u2028', 3, 1);
}

TEST(Windows1252, HalfOfAPairAloneIsRefusedAndNamed) {
    const std::u16string highThenLetter{u'a', u'b', 0xD83D, u'c'};
    const std::u16string lowAlone{u'a', u'b', 0xDE00, u'c'};
    const std::u16string highAtTheEnd{u'a', u'b', 0xD83D};
    expectAt(failureIn({highThenLetter}), 0xD83D, 1, 3);
    expectAt(failureIn({lowAlone}), 0xDE00, 1, 3);
    expectAt(failureIn({highAtTheEnd, u"\r\nmore"}), 0xD83D, 1, 3);
}

} // namespace
} // namespace tovrin
