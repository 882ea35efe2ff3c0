#include "platform/posix/Windows1252.h"

#include "platform/PlatformError.h"
#include "platform/Surrogates.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

namespace tovrin {

namespace {

constexpr const char* NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// The character that starts at text[0]; a lone half stands for itself.
char32_t characterAt(std::u16string_view text) {
    if (text.size() > 1 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]))
        return joinSurrogates(text[0], text[1]);
    return text[0];
}

} // namespace

// Where the user sees the character that follows text, when text starts at
// from. A character beyond 16 bits never comes before it: the code page has
// none of them, so each code unit here is a character of its own.
Windows1252Encoder::Position Windows1252Encoder::after(Position from, std::u16string_view text) {
    const std::size_t lastBreak = text.rfind(u'\n');
    if (lastBreak == std::u16string_view::npos)
        return {from.line, from.column + text.size()};
    return {from.line + static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')),
            text.size() - lastBreak};
}

Windows1252Encoder::Windows1252Encoder() : handle_(iconv_open("WINDOWS-1252", NativeUtf16)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1))
        throw PlatformError(std::string("The Windows-1252 code page is not available: ") + std::strerror(errno));
}

Windows1252Encoder::~Windows1252Encoder() {
    iconv_close(handle_);
}

std::optional<UnencodableCharacter> Windows1252Encoder::encode(std::u16string_view piece, std::string& bytes) {
    const std::size_t start = bytes.size();
    // Every code unit becomes at most one byte.
    bytes.resize(start + piece.size());
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(piece.data()));
    std::size_t inLeft = piece.size() * sizeof(char16_t);
    char* out = bytes.data() + start;
    std::size_t outLeft = piece.size();
    // A half pair at the very end leaves iconv waiting for more: as pieces
    // never split a pair, nothing more will come for it.
    const bool stopped = iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
    bytes.resize(bytes.size() - outLeft);
    if (stopped) {
        const std::size_t offset = piece.size() - inLeft / sizeof(char16_t);
        const Position at = after(next_, piece.substr(0, offset));
        return UnencodableCharacter{characterAt(piece.substr(offset)), at.line, at.column};
    }
    next_ = after(next_, piece);
    return std::nullopt;
}

} // namespace tovrin
