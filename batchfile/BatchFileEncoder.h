#pragma once

#include "batchfile/ByteSink.h"
#include "batchfile/CodePage.h"
#include "batchfile/UnencodableCharacter.h"
#include "batchfile/WriteBehind.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// Turns a text, a piece after another, into the bytes of a batch file and
// writes them, a block on another thread while it converts the next: each
// character in the code page, and every line break (CR LF, a lone CR or LF,
// a line or paragraph separator) as CR LF. Stops at the first character
// that cannot go into the file and says where it is. A code page that
// names a character the text does not hold throws PlatformError, as does
// the file.
class BatchFileEncoder {
public:
    BatchFileEncoder(CodePage& codePage, ByteSink& file);

    std::optional<UnencodableCharacter> encode(std::u16string_view piece);
    // After the last piece: writes what is still held back, unless a half
    // pair left waiting for its other half is one of those characters, and
    // returns once every byte is written.
    std::optional<UnencodableCharacter> finish();

private:
    std::optional<UnencodableCharacter> encodeWholeCharacters(std::u16string_view text);
    std::size_t copyOneByteCharacters(std::u16string_view text);
    std::optional<UnencodableCharacter> convertAlone(std::u16string_view character, std::size_t column);
    void put(std::string_view bytes);
    void flush();

    CodePage& codePage_;
    std::size_t line_ = 1;         // counted from 1, as the user sees it
    std::size_t columnsBefore_ = 0; // characters of the line in earlier text
    bool lastWasCr_ = false;       // so that an LF right after it ends no second line
    char16_t heldHighHalf_ = 0;    // the end of a piece, waiting for the low half
    std::string characterBytes_;   // one character converted alone
    // Two blocks: one is filled while the other is written.
    std::unique_ptr<char[]> blocks_;
    char* block_;                  // the one being filled
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_;        // how much of it to fill
    WriteBehind writer_;           // last, so that it is done before the blocks go
};

} // namespace tovrin
