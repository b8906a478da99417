// Every allocation of the benchmark passes through here, so a benchmark can
// tell the peak heap of one conversion apart from everything before it.

#include "HeapMeter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t now = inUse += malloc_usable_size(block);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return block;
}

void release(void* block)
{
    if (!block)
        return;
    inUse -= malloc_usable_size(block);
    std::free(block);
}

} // namespace

std::size_t heapInUse() { return inUse; }
std::size_t heapPeak() { return peak; }
void resetHeapPeak() { peak = inUse.load(); }

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
