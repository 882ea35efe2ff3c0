#include "platform/win32/WindowsFileName.h"

#include "batchfile/WriteFailure.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace tovrin {

namespace {

constexpr std::wstring_view ForbiddenCharacters = L"<>:\"|?*";
constexpr std::wstring_view Separators = L"\\/";

bool isDriveColon(const std::wstring& path, std::size_t at) {
    return at == 1 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

} // namespace

void checkWindowsFileName(const std::string& path) {
    const std::wstring name = toUtf16(path);
    // Without the \\?\ form, which a typed name does not use, the system
    // takes paths shorter than MAX_PATH with room for the final NUL.
    if (name.size() >= MAX_PATH)
        throw writeFailure(path, "the path is too long for Windows: it has " + std::to_string(name.size()) +
                                     " characters, and at most " + std::to_string(MAX_PATH - 1) +
                                     " are allowed. Nothing was written.");
    for (std::size_t at = 0; at < name.size(); ++at) {
        const wchar_t character = name[at];
        if (ForbiddenCharacters.find(character) != std::wstring_view::npos && !isDriveColon(name, at))
            throw writeFailure(path, "the name holds the character " + toUtf8(std::wstring(1, character)) + " (" +
                                         codePointName(character) +
                                         "), which Windows does not allow in file names. Nothing was written.");
        const bool endsPart = at + 1 == name.size() || Separators.find(name[at + 1]) != std::wstring_view::npos;
        if (!endsPart || (character != L'.' && character != L' '))
            continue;
        const std::size_t partStart = name.find_last_of(Separators, at) + 1;
        const std::wstring_view part = std::wstring_view(name).substr(partStart, at + 1 - partStart);
        if (part != L"." && part != L"..")
            throw writeFailure(path, "the part \"" + toUtf8(part) + "\" ends in " +
                                         (character == L'.' ? "a dot" : "a space") +
                                         ", which Windows drops from names, so another file would be written. "
                                         "Nothing was written.");
    }
}

} // namespace tovrin
