#pragma once

#include <string>
#include <string_view>

namespace tovrin {

// Text crosses the Platform interface as UTF-8 and the Windows API as
// UTF-16. A conversion that fails throws PlatformError.
std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

// A wchar_t is a UTF-16 code unit on Windows, the same as a char16_t: the
// same text, seen by the Windows API or by the byte rules.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline std::u16string_view utf16Units(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring_view wideUnits(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

// A length as the Windows API takes it; throws PlatformError when it is
// too long for that.
int checkedLength(std::size_t length);

} // namespace tovrin
