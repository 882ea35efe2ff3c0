#pragma once

#include <cstddef>

namespace tovrin::bench {

// Counting spans every allocation of the process, C and C++, ours and the
// toolkit's. Stopping returns the most heap memory held at once beyond what
// was held when counting started.
void startCountingHeap();
std::size_t stopCountingHeap();

// The extra peak heap memory of action.
template <typename Action>
std::size_t peakExtraHeap(Action&& action) {
    startCountingHeap();
    try {
        action();
    } catch (...) {
        stopCountingHeap();
        throw;
    }
    return stopCountingHeap();
}

} // namespace tovrin::bench
