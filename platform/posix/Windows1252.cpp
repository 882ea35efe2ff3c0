#include "platform/posix/Windows1252.h"

#include "platform/LineBreaks.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tovrin {

namespace {

// What the code page puts at 0x80 to 0x9F; 0 where it has nothing. Every
// other byte stands for the character of the same number, except that
// U+0080 to U+009F have no byte at all.
constexpr std::array<char16_t, 32> Bytes80To9F{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr int NoByte = -1;

int byteFor(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    if (character > 0xFFFF)
        return NoByte;
    const auto found = std::find(Bytes80To9F.begin(), Bytes80To9F.end(), static_cast<char16_t>(character));
    return found == Bytes80To9F.end() ? NoByte : 0x80 + static_cast<int>(found - Bytes80To9F.begin());
}

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The character whose UTF-8 sequence starts at text[0], with the sequence's
// length; a sequence that is not valid UTF-8 (cut short, too long a form, a
// surrogate, beyond U+10FFFF) gives nothing.
struct Decoded {
    char32_t character;
    std::size_t length;
};

std::optional<Decoded> decodeStrictly(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() < length)
        return std::nullopt;
    char32_t character = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuationByte(text[i]))
            return std::nullopt;
        character = (character << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    constexpr std::array<char32_t, 5> Smallest{0, 0, 0x80, 0x800, 0x10000};
    if (character < Smallest[length] || character > 0x10FFFF || (character >= 0xD800 && character < 0xE000))
        return std::nullopt;
    return Decoded{character, length};
}

// The character whose UTF-8 sequence starts at text[0], for telling the
// user; a byte that does not start a valid sequence stands for itself.
char32_t characterAt(std::string_view text) {
    const auto decoded = decodeStrictly(text);
    return decoded ? decoded->character : static_cast<unsigned char>(text[0]);
}

std::size_t countCharacters(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text)
        count += isContinuationByte(byte) ? 0 : 1;
    return count;
}

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

// Collects output bytes a block at a time, so that appending costs no
// check per byte.
class ByteSink {
public:
    explicit ByteSink(std::string& bytes) : bytes_(bytes) {}
    ~ByteSink() { flush(); }
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void put(char byte) {
        if (used_ == block_.size())
            flush();
        block_[used_++] = byte;
    }
    void flush() {
        bytes_.append(block_.data(), used_);
        used_ = 0;
    }

private:
    std::string& bytes_;
    std::array<char, 64 * 1024> block_;
    std::size_t used_ = 0;
};

std::size_t countLineBreaks(std::string_view text) {
    const auto count = [&](char byte) { return std::count(text.begin(), text.end(), byte); };
    return static_cast<std::size_t>(count('\r') + count('\n'));
}

} // namespace

std::optional<UnencodableCharacter> encodeWindows1252(std::string_view text, std::string& bytes) {
    bytes.clear();
    // A lone CR or LF grows into two bytes; nothing else grows.
    bytes.reserve(text.size() + countLineBreaks(text));
    ByteSink sink(bytes);
    std::size_t at = 0;
    while (at < text.size()) {
        const char byte = text[at];
        if (byte == '\r' || byte == '\n') {
            sink.put('\r');
            sink.put('\n');
            const bool crlf = byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            at += crlf ? 2 : 1;
        } else if (static_cast<unsigned char>(byte) < 0x80) {
            sink.put(byte);
            ++at;
        } else {
            const auto decoded = decodeStrictly(text.substr(at));
            const int encoded = decoded ? byteFor(decoded->character) : NoByte;
            if (encoded == NoByte)
                return locate(text, at);
            sink.put(static_cast<char>(encoded));
            at += decoded->length;
        }
    }
    return std::nullopt;
}

} // namespace tovrin
