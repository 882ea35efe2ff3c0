#include "bench/PeakAllocation.h"

#include <atomic>
#include <cerrno>
#include <malloc.h>

// The process's allocator, replaced by one that counts the bytes in use and
// hands the work to the C library's own allocator.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace tovrin::bench {

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> bytesInUse{0};
std::atomic<long long> peakBytesInUse{0};

void count(long long change) {
    if (!counting.load(std::memory_order_relaxed))
        return;
    const long long now = bytesInUse.fetch_add(change, std::memory_order_relaxed) + change;
    long long peak = peakBytesInUse.load(std::memory_order_relaxed);
    while (now > peak && !peakBytesInUse.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

long long sizeOf(void* block) {
    return block != nullptr ? static_cast<long long>(malloc_usable_size(block)) : 0;
}

void* counted(void* block) {
    count(sizeOf(block));
    return block;
}

} // namespace

// Blocks freed during the count that were allocated before it lower the
// figure, as they lower the memory the process holds.
void startCountingHeap() {
    bytesInUse = 0;
    peakBytesInUse = 0;
    counting = true;
}

std::size_t stopCountingHeap() {
    counting = false;
    return static_cast<std::size_t>(peakBytesInUse.load());
}

} // namespace tovrin::bench

using tovrin::bench::count;
using tovrin::bench::counted;
using tovrin::bench::sizeOf;

extern "C" {

void* malloc(size_t size) noexcept { return counted(__libc_malloc(size)); }

void* calloc(size_t count, size_t size) noexcept { return counted(__libc_calloc(count, size)); }

void* realloc(void* block, size_t size) noexcept {
    const long long before = sizeOf(block);
    void* moved = __libc_realloc(block, size);
    // A failed realloc leaves the block as it was; realloc to nothing frees it.
    if (moved != nullptr)
        count(sizeOf(moved) - before);
    else if (size == 0)
        count(-before);
    return moved;
}

void* memalign(size_t alignment, size_t size) noexcept { return counted(__libc_memalign(alignment, size)); }

void* aligned_alloc(size_t alignment, size_t size) noexcept { return counted(__libc_memalign(alignment, size)); }

int posix_memalign(void** block, size_t alignment, size_t size) noexcept {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* aligned = counted(__libc_memalign(alignment, size));
    if (aligned == nullptr)
        return ENOMEM;
    *block = aligned;
    return 0;
}

void free(void* block) noexcept {
    count(-sizeOf(block));
    __libc_free(block);
}
}
