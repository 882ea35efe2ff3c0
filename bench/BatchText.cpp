#include "bench/BatchText.h"

#include <array>
#include <string_view>

namespace tovrin::bench {

namespace {

struct Character {
    const char* utf8;
    char windows1252;
};

// Mostly ASCII, as batch files are, with the odd accented letter or sign.
constexpr std::array<Character, 16> Alphabet{{
    {"e", 'e'},
    {"c", 'c'},
    {"h", 'h'},
    {"o", 'o'},
    {" ", ' '},
    {"\xC3\xA9", '\xE9'},  // é
    {"%", '%'},
    {"d", 'd'},
    {"i", 'i'},
    {"r", 'r'},
    {"\xE2\x82\xAC", '\x80'},  // €
    {">", '>'},
    {"a", 'a'},
    {"\xC3\xBC", '\xFC'},  // ü
    {"1", '1'},
    {"\\", '\\'},
}};

constexpr std::size_t LineLength = 80;

constexpr std::string_view Base64Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

} // namespace

std::string makeLineWithSpaces(std::size_t characters) {
    std::string line;
    for (std::size_t column = 0; column < characters; ++column)
        line += Alphabet[column % Alphabet.size()].utf8;
    return line;
}

std::string makeUnbrokenLine(std::size_t characters) {
    std::string line;
    line.reserve(characters);
    for (std::size_t column = 0; column < characters; ++column)
        line += Base64Letters[column % Base64Letters.size()];
    return line;
}

BatchText makeBatchText(std::size_t size) {
    BatchText text;
    text.utf8.reserve(size + LineLength * 3);
    text.windows1252.reserve(size);
    // Each line starts one character further into the alphabet, so that no
    // two neighbouring lines are the same.
    for (std::size_t line = 0; text.utf8.size() < size; ++line) {
        for (std::size_t column = 0; column < LineLength; ++column) {
            const Character& character = Alphabet[(line + column) % Alphabet.size()];
            text.utf8 += character.utf8;
            text.windows1252 += character.windows1252;
        }
        text.utf8 += "\r\n";
        text.windows1252 += "\r\n";
    }
    return text;
}

} // namespace tovrin::bench
