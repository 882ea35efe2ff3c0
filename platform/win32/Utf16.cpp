#include "platform/win32/Utf16.h"

#include "platform/PlatformError.h"

#include <windows.h>

#include <climits>

namespace tovrin {

namespace {

[[noreturn]] void failConverting() {
    throw PlatformError("A text could not be converted between UTF-8 and UTF-16 (Windows error " +
                        std::to_string(GetLastError()) + ").");
}

} // namespace

int checkedLength(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX))
        throw PlatformError("A text of " + std::to_string(length) + " characters is too long for Windows to take.");
    return static_cast<int>(length);
}

std::wstring toUtf16(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = checkedLength(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length == 0)
        failConverting();
    std::wstring utf16(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, utf16.data(), length) != length)
        failConverting();
    return utf16;
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int size = checkedLength(utf16.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    if (length == 0)
        failConverting();
    std::string utf8(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, utf8.data(), length, nullptr, nullptr) != length)
        failConverting();
    return utf8;
}

} // namespace tovrin
