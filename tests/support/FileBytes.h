#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tovrin::testing {

// The file's bytes exactly as they are on disk.
inline std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeRaw(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace tovrin::testing
