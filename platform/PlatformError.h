#pragma once

#include <stdexcept>
#include <string>

namespace tovrin {

// A platform operation that failed. The message is shown to the user as it
// stands, so it names what failed and why in plain words.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tovrin
