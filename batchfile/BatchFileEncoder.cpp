#include "batchfile/BatchFileEncoder.h"

#include "platform/PlatformError.h"
#include "batchfile/Surrogates.h"

#include <algorithm>

namespace tovrin {

namespace {

// Small enough for the stretches to stay in the processor's cache, large
// enough that converting one costs little beyond its characters.
constexpr std::size_t StretchLength = 16 * 1024;
// Bytes are handed to the file in blocks this large: a system call costs
// more than the copying it saves.
constexpr std::size_t BlockSize = 256 * 1024;

constexpr char16_t LineSeparator = 0x2028;
constexpr char16_t ParagraphSeparator = 0x2029;

constexpr bool isLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n' || unit == LineSeparator || unit == ParagraphSeparator;
}

// A code unit that cannot be copied as it is. Most text is neither, so the
// common case is decided by the first test.
constexpr bool isLineBreakOrHalfPair(char16_t unit) {
    if (unit > u'\r' && unit < LineSeparator)
        return false;
    return isLineBreak(unit) || isHighSurrogate(unit) || isLowSurrogate(unit);
}

// The character that starts text; a lone half stands for itself.
char32_t characterAt(std::u16string_view text) {
    if (text.size() > 1 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]))
        return joinSurrogates(text[0], text[1]);
    return text[0];
}

std::size_t charactersIn(std::u16string_view text) {
    return text.size() - static_cast<std::size_t>(std::count_if(
                             text.begin(), text.end(), [](char16_t unit) { return isLowSurrogate(unit); }));
}

} // namespace

BatchFileEncoder::BatchFileEncoder(CodePage& codePage, ByteSink& file) : codePage_(codePage), file_(file) {}

// In normalized text every line ends with LF.
BatchFileEncoder::Position BatchFileEncoder::after(Position from, std::u16string_view normalized) {
    const std::size_t lastBreak = normalized.rfind(u'\n');
    if (lastBreak == std::u16string_view::npos)
        return {from.line, from.column + charactersIn(normalized)};
    return {from.line + static_cast<std::size_t>(std::count(normalized.begin(), normalized.end(), u'\n')),
            1 + charactersIn(normalized.substr(lastBreak + 1))};
}

std::optional<UnencodableCharacter> BatchFileEncoder::encode(std::u16string_view piece) {
    if (piece.empty())
        return std::nullopt;
    if (heldHighHalf_ != 0) {
        const char16_t pair[2] = {heldHighHalf_, piece[0]};
        heldHighHalf_ = 0;
        if (!isLowSurrogate(pair[1]))
            return UnencodableCharacter{pair[0], next_.line, next_.column};
        if (auto failure = encodeWholeCharacters({pair, 2}))
            return failure;
        piece.remove_prefix(1);
    }
    if (!piece.empty() && isHighSurrogate(piece.back())) {
        heldHighHalf_ = piece.back();
        piece.remove_suffix(1);
    }
    while (!piece.empty()) {
        std::size_t length = std::min(piece.size(), StretchLength);
        if (length < piece.size() && isHighSurrogate(piece[length - 1]))
            --length;
        if (auto failure = encodeWholeCharacters(piece.substr(0, length)))
            return failure;
        piece.remove_prefix(length);
    }
    return std::nullopt;
}

std::optional<UnencodableCharacter> BatchFileEncoder::finish() {
    if (heldHighHalf_ != 0)
        return UnencodableCharacter{heldHighHalf_, next_.line, next_.column};
    file_.write(bytes_);
    bytes_.clear();
    return std::nullopt;
}

// text ends with no high half waiting for its low one.
std::optional<UnencodableCharacter> BatchFileEncoder::encodeWholeCharacters(std::u16string_view text) {
    const std::optional<char16_t> loneHalf = normalizeUpToLoneHalf(text);
    if (auto failure = convertNormalized())
        return failure;
    moveOnAndFlush();
    if (loneHalf)
        return UnencodableCharacter{*loneHalf, next_.line, next_.column};
    return std::nullopt;
}

// Into normalized_, with every line break as CR LF, up to the first half of
// a pair that stands alone: that half is returned.
std::optional<char16_t> BatchFileEncoder::normalizeUpToLoneHalf(std::u16string_view text) {
    normalized_.clear();
    std::size_t i = lastWasCr_ && !text.empty() && text.front() == u'\n' ? 1 : 0;
    lastWasCr_ = false;
    while (i < text.size()) {
        const auto plain = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                                        [](char16_t unit) { return isLineBreakOrHalfPair(unit); });
        normalized_.append(text.begin() + static_cast<std::ptrdiff_t>(i), plain);
        i = static_cast<std::size_t>(plain - text.begin());
        if (i == text.size())
            break;
        const char16_t unit = text[i];
        if (isLineBreak(unit)) {
            normalized_ += u"\r\n";
            const bool crLf = unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            lastWasCr_ = unit == u'\r' && i + 1 == text.size();
            i += crLf ? 2 : 1;
        } else if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            normalized_.append(text.substr(i, 2));
            i += 2;
        } else {
            return unit;
        }
    }
    return std::nullopt;
}

// Appends normalized_'s bytes to bytes_, or says which character has none
// and where. Every code page holds ASCII as itself: most batch files need
// no conversion at all.
std::optional<UnencodableCharacter> BatchFileEncoder::convertNormalized() {
    const std::u16string_view stretch = normalized_;
    const auto ascii = static_cast<std::size_t>(
        std::find_if(stretch.begin(), stretch.end(), [](char16_t unit) { return unit >= 0x80; }) - stretch.begin());
    bytes_.append(stretch.begin(), stretch.begin() + static_cast<std::ptrdiff_t>(ascii));
    const std::u16string_view rest = stretch.substr(ascii);
    const std::optional<std::size_t> offset = codePage_.convert(rest, bytes_);
    if (!offset)
        return std::nullopt;
    if (*offset >= rest.size())
        throw PlatformError("The " + codePage_.name() + " code page failed: it named a character past the end of "
                            "the text. Nothing was written.");
    const Position at = after(next_, stretch.substr(0, ascii + *offset));
    return UnencodableCharacter{characterAt(rest.substr(*offset)), at.line, at.column};
}

// Past the converted stretch; its bytes go to the file once there are
// enough of them.
void BatchFileEncoder::moveOnAndFlush() {
    next_ = after(next_, normalized_);
    if (bytes_.size() >= BlockSize) {
        file_.write(bytes_);
        bytes_.clear();
    }
}

} // namespace tovrin
