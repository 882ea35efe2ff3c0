#pragma once

#include "platform/UnencodableCharacter.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// Converts UTF-8 text to the bytes of a batch file: each character one byte
// of Windows-1252, every line break (CR LF, lone CR or lone LF) as CR LF.
// On success returns nothing and bytes holds the result; otherwise returns
// the first character that cannot be converted, and bytes is unspecified.
std::optional<UnencodableCharacter> encodeWindows1252(std::string_view text, std::string& bytes);

} // namespace tovrin
