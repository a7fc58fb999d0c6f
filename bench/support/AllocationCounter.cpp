// Every allocation of the program is counted. Memory from this operator new goes back through this
// operator delete, to the same malloc.
#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
}  // namespace

namespace allocationcounter {

std::size_t LiveBytes() { return liveBytes; }

std::size_t RestartPeak() {
    const std::size_t live = liveBytes;
    peakBytes = live;
    return live;
}

std::size_t PeakBytes() { return peakBytes; }

}  // namespace allocationcounter

void* operator new(std::size_t Size) {
    void* memory = std::malloc(Size ? Size : 1);
    if (!memory) throw std::bad_alloc();
    const std::size_t live = liveBytes += malloc_usable_size(memory);
    for (std::size_t peak = peakBytes; live > peak && !peakBytes.compare_exchange_weak(peak, live);) {
    }
    return memory;
}
void operator delete(void* Memory) noexcept {
    if (!Memory) return;
    liveBytes -= malloc_usable_size(Memory);
    std::free(Memory);
}
void operator delete(void* Memory, std::size_t) noexcept { operator delete(Memory); }
// The standard's temporary buffers (stable_sort's) come from the nothrow form: it must reach the same malloc.
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
    try {
        return operator new(Size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* Memory, const std::nothrow_t&) noexcept { operator delete(Memory); }
