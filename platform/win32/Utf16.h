#pragma once

#include <string>
#include <string_view>

namespace tovrin {

// Text crosses the Platform interface as UTF-8 and the Windows API as UTF-16.
std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

} // namespace tovrin
