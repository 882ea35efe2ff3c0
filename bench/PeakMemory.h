#pragma once

#include <cstddef>

namespace tovrin::bench {

// The kernel's count of the process's peak resident memory (VmHWM) starts
// again from what is resident now.
void restartPeakResident();
// Resident memory now (VmRSS) and the peak since the last restart (VmHWM).
std::size_t residentBytes();
std::size_t peakResidentBytes();
// Gives the memory the allocator holds free back to the system, so that
// what a call needs shows as pages it takes, not as old ones it reuses.
void releaseFreeHeap();

// The most memory action made the process hold at once beyond what it held
// before: every allocation, C or C++, ours or the toolkit's, as the pages it
// touched, read from the kernel's own counts.
template <typename Action>
std::size_t peakExtraResident(Action&& action) {
    releaseFreeHeap();
    restartPeakResident();
    const std::size_t before = residentBytes();
    action();
    const std::size_t peak = peakResidentBytes();
    return peak > before ? peak - before : 0;
}

} // namespace tovrin::bench
