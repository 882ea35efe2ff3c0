#pragma once

#include <cstddef>

namespace tovrin {

// A character of the text that cannot go into the batch file: the code page
// has no byte for it, or it is half of a pair without its other half. Line
// and column are where the user sees it, counted from 1 in characters.
struct UnencodableCharacter {
    char32_t character;
    std::size_t line;
    std::size_t column;
};

} // namespace tovrin
