#pragma once

#include "platform/UnencodableCharacter.h"

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// Converts a text, a piece after another, from UTF-16 to Windows-1252, one
// byte a character. Line breaks pass as they are; a line ends at each LF.
// No piece may end between the two halves of a surrogate pair.
class Windows1252Encoder {
public:
    Windows1252Encoder();
    ~Windows1252Encoder();
    Windows1252Encoder(const Windows1252Encoder&) = delete;
    Windows1252Encoder& operator=(const Windows1252Encoder&) = delete;

    // Appends the piece's bytes to bytes. Returns the first character that
    // cannot be converted, with its line and column in the whole text; a
    // half of a surrogate pair without its other half is one of those.
    // bytes is unspecified then.
    std::optional<UnencodableCharacter> encode(std::u16string_view piece, std::string& bytes);

private:
    // A place in the text as the user sees it, counted from 1.
    struct Position {
        std::size_t line;
        std::size_t column;
    };
    static Position after(Position from, std::u16string_view text);

    iconv_t handle_;
    Position next_{1, 1};  // where the next piece starts
};

} // namespace tovrin
