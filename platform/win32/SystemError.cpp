#include "platform/win32/SystemError.h"

#include "platform/PlatformError.h"
#include "platform/win32/Utf16.h"

#include <cwctype>

namespace tovrin {

std::string systemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0)
        return "Windows error " + std::to_string(error) + ".";
    std::wstring reason(buffer, length);
    LocalFree(buffer);
    // The system ends its messages with a line break.
    while (!reason.empty() && std::iswspace(reason.back()))
        reason.pop_back();
    if (!reason.empty() && reason.back() != L'.')
        reason += L'.';
    return toUtf8(reason);
}

void failWith(const std::string& what, DWORD error) {
    throw PlatformError(what + ": " + systemReason(error));
}

} // namespace tovrin
