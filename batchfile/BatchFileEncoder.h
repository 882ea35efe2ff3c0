#pragma once

#include "batchfile/ByteSink.h"
#include "batchfile/CodePage.h"
#include "batchfile/UnencodableCharacter.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// Turns a text, a piece after another, into the bytes of a batch file and
// writes them: each character in the code page, and every line break (CR LF,
// a lone CR or LF, a line or paragraph separator) as CR LF. Stops at the
// first character that cannot go into the file and says where it is. A
// code page that names a character the text does not hold throws
// PlatformError, as does the file.
class BatchFileEncoder {
public:
    BatchFileEncoder(CodePage& codePage, ByteSink& file);

    std::optional<UnencodableCharacter> encode(std::u16string_view piece);
    // After the last piece: writes what is still held back, unless a half
    // pair left waiting for its other half is one of those characters.
    std::optional<UnencodableCharacter> finish();

private:
    // A place in the text as the user sees it, counted from 1.
    struct Position {
        std::size_t line;
        std::size_t column;
    };
    static Position after(Position from, std::u16string_view normalized);

    std::optional<UnencodableCharacter> encodeWholeCharacters(std::u16string_view text);
    std::optional<char16_t> normalizeUpToLoneHalf(std::u16string_view text);
    std::optional<UnencodableCharacter> convertNormalized();
    void moveOnAndFlush();

    CodePage& codePage_;
    ByteSink& file_;
    Position next_{1, 1};        // where the next character stands
    bool lastWasCr_ = false;     // so that an LF right after it ends no second line
    char16_t heldHighHalf_ = 0;  // the end of a piece, waiting for the low half
    std::u16string normalized_;  // one stretch of text, its breaks made CR LF
    std::string bytes_;          // converted, not yet written
};

} // namespace tovrin
