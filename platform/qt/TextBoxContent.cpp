#include "platform/qt/TextBoxContent.h"

#include <QTextBlock>
#include <QTextDocument>

namespace tovrin {

namespace {

// A line break typed with Shift+Enter stays inside its paragraph as a line
// separator; in the file it is a line break like any other.
bool isLineBreak(char16_t unit) {
    return unit == QChar::LineSeparator;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Walks a paragraph a character at a time, handing each to onCharacter as
// a code point; a line break comes as '\n', a surrogate without its partner
// as the replacement character.
template <typename OnCharacter>
void forEachCharacter(QStringView paragraph, OnCharacter&& onCharacter) {
    const char16_t* unit = paragraph.utf16();
    const char16_t* const end = unit + paragraph.size();
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

// The whole document, paragraph after paragraph, with a line break between
// each two.
template <typename OnCharacter>
void forEachCharacter(const QTextDocument& document, OnCharacter&& onCharacter) {
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!first)
            onCharacter(U'\n');
        first = false;
        forEachCharacter(block.text(), onCharacter);
    }
}

} // namespace

// Twice through the paragraphs, first to size the UTF-8 text exactly, then
// to write it in place: on a long text, copying the whole document at once,
// or a string or two for every line, cost more than writing the file.
std::string readText(const QPlainTextEdit& textBox) {
    const QTextDocument& document = *textBox.document();
    std::size_t size = 0;
    forEachCharacter(document, [&](char32_t character) { size += utf8Length(character); });
    std::string text(size, '\0');
    char* out = text.data();
    forEachCharacter(document, [&](char32_t character) { out = appendUtf8(character, out); });
    return text;
}

} // namespace tovrin
