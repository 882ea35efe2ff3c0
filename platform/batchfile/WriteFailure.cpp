#include "platform/batchfile/WriteFailure.h"

#include <cstdio>

namespace tovrin {

PlatformError writeFailure(const std::string& path, const std::string& reason) {
    return PlatformError("Could not write \"" + path + "\": " + reason);
}

std::string refusal(const UnencodableCharacter& character, const std::string& codePageName) {
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(character.character));
    return std::string("the character ") + codePoint + " on line " + std::to_string(character.line) + ", column " +
           std::to_string(character.column) + " has no place in the " + codePageName +
           " code page. Nothing was written.";
}

} // namespace tovrin
