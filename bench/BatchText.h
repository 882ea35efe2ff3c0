#pragma once

#include <cstddef>
#include <string>

namespace tovrin::bench {

// A batch text as the editor holds it and the bytes its batch file must hold.
struct BatchText {
    std::string utf8;
    std::string windows1252;
};

// Lines of 80 characters mixing ASCII with letters of the code page beyond
// it (é, €, ü ...), each ended by CR LF, up to about size bytes of UTF-8.
BatchText makeBatchText(std::size_t size);

// One line of the given number of characters and no line break, in UTF-8:
// words of the same alphabet with a space every 16 characters ...
std::string makeLineWithSpaces(std::size_t characters);
// ... or letters and digits only, as in a long base64 string, so that the
// line has no place where it may break between words.
std::string makeUnbrokenLine(std::size_t characters);

} // namespace tovrin::bench
