#pragma once

#include <chrono>

namespace tovrin::bench {

// Seconds taken by action, on the monotonic clock.
template <typename Action>
double secondsTaken(Action&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace tovrin::bench
