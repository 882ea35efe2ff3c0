#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// How a code page that lacks a letter whole spells it as base letter and
// combining marks it holds (Vietnamese in 1258, pointed Hebrew in 1255):
// Windows' canonical decomposition, the base joined with one of its marks
// where the page holds the pair whole, the other marks after it. Only a
// spelling of two or more of the page's characters that means the same
// letter counts, never another letter alone. None when there is no such
// spelling.
std::optional<std::string> decomposedSpelling(unsigned codePage, std::wstring_view character);

} // namespace tovrin
