#include "platform/posix/Windows1252.h"

#include "platform/LineBreaks.h"
#include "platform/PlatformError.h"

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

    // Appends the converted line to out; returns the offset in line of the
    // first character that cannot be converted, if any.
    std::optional<std::size_t> append(std::string_view line, std::string& out) {
        const std::size_t start = out.size();
        // Every character takes at least one byte of UTF-8 and exactly one
        // of Windows-1252, so the line's own length is room enough.
        out.resize(start + line.size());
        char* in = const_cast<char*>(line.data());
        std::size_t inLeft = line.size();
        char* result = out.data() + start;
        std::size_t outLeft = line.size();
        const std::size_t done = iconv(handle_, &in, &inLeft, &result, &outLeft);
        out.resize(out.size() - outLeft);
        if (done == static_cast<std::size_t>(-1))
            return static_cast<std::size_t>(in - line.data());
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
char32_t decodeCharacter(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
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
    std::size_t count = 0;
    for (char byte : text)
        count += isContinuationByte(byte) ? 0 : 1;
    return count;
}

std::size_t countLineBreaks(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text)
        count += (byte == '\r' || byte == '\n') ? 1 : 0;
    return count;
}

} // namespace

std::optional<UnencodableCharacter> encodeWindows1252(std::string_view text, std::string& bytes) {
    Converter converter;
    bytes.clear();
    // A lone CR or LF grows into two bytes; nothing else grows.
    bytes.reserve(text.size() + countLineBreaks(text));
    std::optional<UnencodableCharacter> failure;
    std::size_t lineNumber = 0;
    forEachLine(text, [&](std::string_view line, bool endsWithBreak) {
        ++lineNumber;
        if (const auto offset = converter.append(line, bytes)) {
            failure = UnencodableCharacter{decodeCharacter(line.substr(*offset)), lineNumber,
                                           countCharacters(line.substr(0, *offset)) + 1};
            return false;
        }
        if (endsWithBreak)
            bytes += "\r\n";
        return true;
    });
    return failure;
}

} // namespace tovrin
