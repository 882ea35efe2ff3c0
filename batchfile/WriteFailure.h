#pragma once

#include "platform/PlatformError.h"
#include "batchfile/UnencodableCharacter.h"

#include <string>

namespace tovrin {

// Every failure to write a batch file, on every platform, reads the same:
// the path, then the reason in the user's words.
PlatformError writeFailure(const std::string& path, const std::string& reason);

inline const std::string FolderInTheWay = "a folder of that name is in the way.";

// A character as the user can look it up: "U+00E9".
std::string codePointName(char32_t character);

// The reason when a character cannot go into the file.
std::string refusal(const UnencodableCharacter& character, const std::string& codePageName);

} // namespace tovrin
