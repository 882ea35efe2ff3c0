#include "bench/WorkFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace tovrin::bench {

WorkFolder::WorkFolder() {
    constexpr char Pattern[] = "tovrin-bench-XXXXXX";
    std::vector<char> name(std::begin(Pattern), std::end(Pattern));
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error(std::string("Could not make a folder for the bench: ") + std::strerror(errno));
    path_ = std::filesystem::absolute(name.data()).string();
}

WorkFolder::~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace tovrin::bench
