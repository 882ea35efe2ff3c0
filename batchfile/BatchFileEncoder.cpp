#include "batchfile/BatchFileEncoder.h"

#include "platform/PlatformError.h"
#include "batchfile/Surrogates.h"

#include <algorithm>
#include <cstring>

namespace tovrin {

namespace {

// Bytes are handed to the file in blocks that grow from the first to the
// largest: a short text touches little fresh memory, and a long one, whose
// blocks are written on another thread, wakes that thread less often
// (waking it costs as much as converting tens of kilobytes).
constexpr std::size_t FirstBlockSize = 256 * 1024;
constexpr std::size_t BlockSize = 1024 * 1024;

constexpr bool isLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n' || unit == u'\u2028' || unit == u'\u2029';
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

BatchFileEncoder::BatchFileEncoder(CodePage& codePage, ByteSink& file)
    : codePage_(codePage), blocks_(new char[2 * BlockSize]), block_(blocks_.get()),
      blockSize_(FirstBlockSize), writer_(file) {}

std::optional<UnencodableCharacter> BatchFileEncoder::encode(std::u16string_view piece) {
    if (piece.empty())
        return std::nullopt;
    if (heldHighHalf_ != 0) {
        const char16_t pair[2] = {heldHighHalf_, piece[0]};
        heldHighHalf_ = 0;
        if (!isLowSurrogate(pair[1]))
            return UnencodableCharacter{pair[0], line_, columnsBefore_ + 1};
        if (auto failure = encodeWholeCharacters({pair, 2}))
            return failure;
        piece.remove_prefix(1);
    }
    if (!piece.empty() && isHighSurrogate(piece.back())) {
        heldHighHalf_ = piece.back();
        piece.remove_suffix(1);
    }
    return encodeWholeCharacters(piece);
}

std::optional<UnencodableCharacter> BatchFileEncoder::finish() {
    if (heldHighHalf_ != 0)
        return UnencodableCharacter{heldHighHalf_, line_, columnsBefore_ + 1};
    flush();
    writer_.finish();
    return std::nullopt;
}

// text ends with no high half waiting for its low one. Most characters are
// copied in runs; a line break, a pair or a character of more than one byte
// ends a run and is dealt with alone.
std::optional<UnencodableCharacter> BatchFileEncoder::encodeWholeCharacters(std::u16string_view text) {
    std::size_t i = lastWasCr_ && !text.empty() && text.front() == u'\n' ? 1 : 0;
    lastWasCr_ = false;
    std::size_t lineStart = i;
    const auto columnAt = [&](std::size_t at) {
        return columnsBefore_ + charactersIn(text.substr(lineStart, at - lineStart)) + 1;
    };
    while (i < text.size()) {
        i += copyOneByteCharacters(text.substr(i));
        if (i == text.size())
            break;
        const char16_t unit = text[i];
        if (isLineBreak(unit)) {
            put("\r\n");
            const bool crLf = unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            lastWasCr_ = unit == u'\r' && i + 1 == text.size();
            i += crLf ? 2 : 1;
            ++line_;
            columnsBefore_ = 0;
            lineStart = i;
            continue;
        }
        const bool pair = isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        if (!pair && (isHighSurrogate(unit) || isLowSurrogate(unit)))
            return UnencodableCharacter{unit, line_, columnAt(i)};
        const std::size_t length = pair ? 2 : 1;
        if (auto failure = convertAlone(text.substr(i, length), columnAt(i)))
            return failure;
        i += length;
    }
    columnsBefore_ += charactersIn(text.substr(lineStart));
    return std::nullopt;
}

// The page's quick runs, as long as they go, into the block.
std::size_t BatchFileEncoder::copyOneByteCharacters(std::u16string_view text) {
    std::size_t copied = 0;
    while (copied < text.size()) {
        if (blockUsed_ == blockSize_)
            flush();
        const std::size_t length = std::min(text.size() - copied, blockSize_ - blockUsed_);
        const std::size_t run = codePage_.copyOneByteCharacters(text.substr(copied, length), block_ + blockUsed_);
        blockUsed_ += run;
        copied += run;
        if (run < length)
            break;
    }
    return copied;
}

std::optional<UnencodableCharacter> BatchFileEncoder::convertAlone(std::u16string_view character, std::size_t column) {
    characterBytes_.clear();
    const std::optional<std::size_t> offset = codePage_.convert(character, characterBytes_);
    if (!offset) {
        put(characterBytes_);
        return std::nullopt;
    }
    if (*offset != 0)
        throw PlatformError("The " + codePage_.name() + " code page failed: it named a character past the end of "
                            "the text. Nothing was written.");
    return UnencodableCharacter{characterAt(character), line_, column};
}

void BatchFileEncoder::put(std::string_view bytes) {
    while (!bytes.empty()) {
        if (blockUsed_ == blockSize_)
            flush();
        const std::size_t length = std::min(bytes.size(), blockSize_ - blockUsed_);
        std::memcpy(block_ + blockUsed_, bytes.data(), length);
        blockUsed_ += length;
        bytes.remove_prefix(length);
    }
}

// The filled block goes to the writer, and the other one is filled next.
void BatchFileEncoder::flush() {
    if (blockUsed_ == 0)
        return;
    writer_.write({block_, blockUsed_});
    block_ = block_ == blocks_.get() ? blocks_.get() + BlockSize : blocks_.get();
    blockUsed_ = 0;
    blockSize_ = std::min(2 * blockSize_, BlockSize);
}

} // namespace tovrin
