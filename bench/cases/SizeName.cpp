#include "bench/cases/Cases.h"

namespace tovrin::bench {

namespace {

// count in millions or thousands when it has that many, with the letter
// given for each.
std::string scaled(std::size_t count, const std::string& millions, const std::string& thousands,
                   const std::string& ones) {
    if (count >= 1000 * 1000)
        return std::to_string(count / (1000 * 1000)) + millions;
    if (count >= 1000)
        return std::to_string(count / 1000) + thousands;
    return std::to_string(count) + ones;
}

} // namespace

std::string sizeName(std::size_t bytes) {
    return scaled(bytes, " MB", " KB", " B");
}

std::string characterCount(std::size_t characters) {
    return scaled(characters, "M-character", "K-character", "-character");
}

} // namespace tovrin::bench
