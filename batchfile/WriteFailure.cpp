#include "batchfile/WriteFailure.h"

#include <cstdio>

namespace tovrin {

PlatformError writeFailure(const std::string& path, const std::string& reason) {
    return PlatformError("Could not write \"" + path + "\": " + reason);
}

std::string codePointName(char32_t character) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}

std::string refusal(const UnencodableCharacter& character, const std::string& codePageName) {
    return "the character " + codePointName(character.character) + " on line " + std::to_string(character.line) + ", column " +
           std::to_string(character.column) + " has no place in the " + codePageName +
           " code page. Nothing was written.";
}

} // namespace tovrin
