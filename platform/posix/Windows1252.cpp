#include "platform/posix/Windows1252.h"

#include "platform/LineBreaks.h"
#include "platform/PlatformError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tovrin {

namespace {

class Converter {
public:
    Converter() : handle_(iconv_open("WINDOWS-1252", "UTF-8")) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw PlatformError(std::string("The Windows-1252 code page is not available: ") +
                                std::strerror(errno));
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends the converted text to out; returns the offset in text of the
    // first character that cannot be converted, if any.
    std::optional<std::size_t> append(std::string_view text, std::string& out) {
        const std::size_t start = out.size();
        // Every character takes at least one byte of UTF-8 and exactly one
        // of Windows-1252, so the text's own length is room enough.
        out.resize(start + text.size());
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char* result = out.data() + start;
        std::size_t outLeft = text.size();
        const std::size_t done = iconv(handle_, &in, &inLeft, &result, &outLeft);
        out.resize(out.size() - outLeft);
        if (done == static_cast<std::size_t>(-1))
            return static_cast<std::size_t>(in - text.data());
        return std::nullopt;
    }

private:
    iconv_t handle_;
};

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The character whose UTF-8 sequence starts at text[0]; a byte that does not
// start a valid sequence stands for itself.
char32_t characterAt(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || text.size() < length)
        return lead;
    char32_t character = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuationByte(text[i]))
            return lead;
        character = (character << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    return character;
}

std::size_t countCharacters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char byte) { return !isContinuationByte(byte); }));
}

// Line and column of the character at offset, counted the way the user sees
// the text. Only needed once, when something could not be converted.
UnencodableCharacter locate(std::string_view text, std::size_t offset) {
    std::size_t line = 0;
    std::size_t column = 0;
    forEachLine(text.substr(0, offset), [&](std::string_view content, bool) {
        ++line;
        column = countCharacters(content) + 1;
        return true;
    });
    return {characterAt(text.substr(offset)), line, column};
}

// Where the next CR or LF that is not part of a CR LF pair stands, from
// start on; text.size() when there is none.
std::size_t nextLoneBreak(std::string_view text, std::size_t start) {
    for (std::size_t at = text.find_first_of("\r\n", start); at != std::string_view::npos;
         at = text.find_first_of("\r\n", at + 2)) {
        const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        if (!crlf)
            return at;
    }
    return text.size();
}

} // namespace

std::optional<UnencodableCharacter> encodeWindows1252(std::string_view text, std::string& bytes) {
    Converter converter;
    bytes.clear();
    // A lone CR or LF grows into two bytes; nothing else grows.
    bytes.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r') +
                                                         std::count(text.begin(), text.end(), '\n')));
    // CR LF converts to itself, so the text goes to iconv in as few pieces as
    // its lone line breaks allow: usually one.
    std::size_t start = 0;
    while (true) {
        const std::size_t loneBreak = nextLoneBreak(text, start);
        if (const auto failedAt = converter.append(text.substr(start, loneBreak - start), bytes))
            return locate(text, start + *failedAt);
        if (loneBreak == text.size())
            return std::nullopt;
        bytes += "\r\n";
        start = loneBreak + 1;
    }
}

} // namespace tovrin
