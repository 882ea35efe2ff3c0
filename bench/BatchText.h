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

} // namespace tovrin::bench
