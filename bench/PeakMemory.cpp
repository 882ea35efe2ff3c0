#include "bench/PeakMemory.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tovrin::bench {

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes.
std::size_t statusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) == 0)
            return std::stoull(line.substr(name.size() + 1)) * 1024;
    }
    throw std::runtime_error("/proc/self/status has no " + name + " line.");
}

} // namespace

// Writing 5 to clear_refs resets the peak (Linux 4.0 and later).
void restartPeakResident() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.close();
    if (!clearRefs)
        throw std::runtime_error(std::string("Could not reset the peak resident memory through "
                                             "/proc/self/clear_refs: ") +
                                 std::strerror(errno));
}

std::size_t residentBytes() {
    return statusBytes("VmRSS");
}

std::size_t peakResidentBytes() {
    return statusBytes("VmHWM");
}

void releaseFreeHeap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tovrin::bench
