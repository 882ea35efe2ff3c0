#include "bench/WorkFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tovrin::bench {

WorkFolder::WorkFolder() {
    std::vector<char> name{std::begin("tovrin-bench-XXXXXX"), std::end("tovrin-bench-XXXXXX")};
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error(std::string("Could not make a folder for the bench: ") + std::strerror(errno));
    path_ = std::filesystem::absolute(name.data()).string();
}

WorkFolder::~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace tovrin::bench
