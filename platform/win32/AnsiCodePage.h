#pragma once

#include "platform/UnencodableCharacter.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// Converts UTF-8 text to the bytes of a batch file: each character one byte
// (or, on a double-byte system, the bytes) of the system's ANSI code page,
// never a look-alike, and every line break as CR LF. On success returns
// nothing and bytes holds the result; otherwise returns the first character
// the code page cannot hold, and bytes is unspecified.
std::optional<UnencodableCharacter> encodeAnsi(std::string_view text, std::string& bytes);

// The ANSI code page's name as users know it, such as "Windows-1252".
std::string ansiCodePageName();

} // namespace tovrin
