#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tovrin {

// A character of the text that the code page has no byte for. Line and
// column count from 1; the column counts characters, not bytes.
struct UnencodableCharacter {
    char32_t character;
    std::size_t line;
    std::size_t column;
};

// Why a batch file was not written, in the words the user reads.
inline std::string describe(const UnencodableCharacter& failure, const std::string& codePageName) {
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(failure.character));
    return std::string("the character ") + codePoint + " on line " + std::to_string(failure.line) +
           ", column " + std::to_string(failure.column) + " has no place in the " + codePageName +
           " code page. Nothing was written.";
}

} // namespace tovrin
