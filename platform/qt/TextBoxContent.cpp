#include "platform/qt/TextBoxContent.h"

#include <QTextDocument>

namespace tovrin {

namespace {

// The document's raw text ends each paragraph with a paragraph separator,
// and holds a line break typed with Shift+Enter as a line separator; in the
// file both are line breaks like any other.
bool isLineBreak(char16_t unit) {
    return unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Walks the raw text a character at a time, handing each to onCharacter as
// a code point; a line break comes as '\n', a surrogate without its partner
// as the replacement character.
template <typename OnCharacter>
void forEachCharacter(QStringView raw, OnCharacter&& onCharacter) {
    const char16_t* unit = raw.utf16();
    const char16_t* const end = unit + raw.size();
    while (unit < end) {
        const char16_t first = *unit++;
        if (first < 0x80)
            onCharacter(first);
        else if (isLineBreak(first))
            onCharacter(U'\n');
        else if (isHighSurrogate(first) && unit < end && isLowSurrogate(*unit))
            onCharacter(0x10000 + ((char32_t(first) - 0xD800) << 10) + (*unit++ - 0xDC00));
        else if (isHighSurrogate(first) || isLowSurrogate(first))
            onCharacter(ReplacementCharacter);
        else
            onCharacter(first);
    }
}

std::size_t utf8Length(char32_t character) {
    if (character == U'\n')
        return 2;
    return character < 0x80 ? 1 : character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
}

char* appendUtf8(char32_t character, char* out) {
    if (character == U'\n') {
        *out++ = '\r';
        *out++ = '\n';
    } else if (character < 0x80) {
        *out++ = static_cast<char>(character);
    } else if (character < 0x800) {
        *out++ = static_cast<char>(0xC0 | (character >> 6));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (character >> 12));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (character >> 18));
        *out++ = static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

} // namespace

// One copy of the document's characters, then the UTF-8 text sized exactly
// and written in place: going block by block cost a string or two for
// every line, which on a long text took far longer than writing the file.
std::string readText(const QPlainTextEdit& textBox) {
    const QString raw = textBox.document()->toRawText();
    std::size_t size = 0;
    forEachCharacter(raw, [&](char32_t character) { size += utf8Length(character); });
    std::string text(size, '\0');
    char* out = text.data();
    forEachCharacter(raw, [&](char32_t character) { out = appendUtf8(character, out); });
    return text;
}

} // namespace tovrin
