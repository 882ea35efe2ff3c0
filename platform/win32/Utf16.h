#pragma once

#include <string>
#include <string_view>

namespace tovrin {

// Text crosses the Platform interface as UTF-8 and the Windows API as
// UTF-16. A conversion that fails throws PlatformError.
std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

// A length as the Windows API takes it; throws PlatformError when it is
// too long for that.
int checkedLength(std::size_t length);

} // namespace tovrin
