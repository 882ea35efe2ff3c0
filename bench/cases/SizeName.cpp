#include "bench/cases/Cases.h"

namespace tovrin::bench {

std::string sizeName(std::size_t bytes) {
    if (bytes >= 1000 * 1000)
        return std::to_string(bytes / (1000 * 1000)) + " MB";
    if (bytes >= 1000)
        return std::to_string(bytes / 1000) + " KB";
    return std::to_string(bytes) + " B";
}

} // namespace tovrin::bench
