#include "platform/win32/AnsiCodePage.h"

#include "platform/Surrogates.h"
#include "platform/win32/LineBreaks.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace tovrin {

namespace {

// A system whose ANSI code page is UTF-8 can hold every character, and
// refuses the flags that detect a missing one.
bool ansiIsUtf8() {
    return GetACP() == CP_UTF8;
}

// Appends the converted characters; returns false when one of them has no
// byte in the code page.
bool appendAnsi(std::wstring_view utf16, std::string& out) {
    if (utf16.empty())
        return true;
    const DWORD flags = ansiIsUtf8() ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* detect = ansiIsUtf8() ? nullptr : &usedDefault;
    const int size = static_cast<int>(utf16.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, utf16.data(), size, nullptr, 0, nullptr, detect);
    if (length == 0 || usedDefault)
        return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_ACP, flags, utf16.data(), size, out.data() + start, length, nullptr, nullptr);
    return true;
}

// The first character of a line that the code page cannot hold, with its
// column counted in characters.
UnencodableCharacter findUnencodable(std::wstring_view line, std::size_t lineNumber) {
    std::size_t column = 1;
    std::string scratch;
    for (std::size_t i = 0; i < line.size(); ++column) {
        const bool pair = isHighSurrogate(line[i]) && i + 1 < line.size();
        const std::wstring_view character = line.substr(i, pair ? 2 : 1);
        if (!appendAnsi(character, scratch)) {
            const char32_t codePoint = pair ? joinSurrogates(character[0], character[1]) : character[0];
            return {codePoint, lineNumber, column};
        }
        i += character.size();
    }
    return {0xFFFD, lineNumber, column};
}

} // namespace

std::optional<UnencodableCharacter> encodeAnsi(std::string_view text, std::string& bytes) {
    bytes.clear();
    bytes.reserve(text.size());
    std::optional<UnencodableCharacter> failure;
    std::size_t lineNumber = 0;
    forEachLine(text, [&](std::string_view line, bool endsWithBreak) {
        ++lineNumber;
        const std::wstring utf16 = toUtf16(line);
        if (!appendAnsi(utf16, bytes)) {
            failure = findUnencodable(utf16, lineNumber);
            return false;
        }
        if (endsWithBreak)
            bytes += "\r\n";
        return true;
    });
    return failure;
}

std::string ansiCodePageName() {
    return "Windows-" + std::to_string(GetACP());
}

} // namespace tovrin
