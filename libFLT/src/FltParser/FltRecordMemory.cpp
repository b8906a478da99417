#include "FltRecordMemory.h"

#include <sys/mman.h>

#include <atomic>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

// Under AddressSanitizer every record gets its own allocation, so that the
// sanitizer still sees each one's bounds and lifetime.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

constexpr std::size_t kGranule = 16;
constexpr std::size_t kLargest = 1024;           // bigger records come from operator new
constexpr std::size_t kBlockSize = std::size_t(4) << 20;
constexpr std::size_t kClasses = kLargest / kGranule;

struct FreeSlot {
    FreeSlot* next;
};

// Held for a few instructions per record, almost never contended (records
// are made and freed by the conversion's own thread): a flag costs a
// fraction of a mutex.
class SpinLock {
public:
    void lock() noexcept
    {
        while (taken.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    void unlock() noexcept { taken.clear(std::memory_order_release); }

private:
    std::atomic_flag taken = ATOMIC_FLAG_INIT;
};

class Pool {
public:
    void* allocate(std::size_t size)
    {
        const std::size_t sizeClass = (size + kGranule - 1) / kGranule;
        const std::lock_guard<SpinLock> guard(lock);
        ++live;
        if (FreeSlot* slot = freeSlots[sizeClass]) {
            freeSlots[sizeClass] = slot->next;
            return slot;
        }
        const std::size_t bytes = sizeClass * kGranule;
        if (blocks.empty() || used + bytes > kBlockSize)
            newBlock();
        void* slot = static_cast<char*>(blocks.back()) + used;
        used += bytes;
        return slot;
    }

    void release(void* block, std::size_t size) noexcept
    {
        const std::size_t sizeClass = (size + kGranule - 1) / kGranule;
        const std::lock_guard<SpinLock> guard(lock);
        FreeSlot* slot = static_cast<FreeSlot*>(block);
        slot->next = freeSlots[sizeClass];
        freeSlots[sizeClass] = slot;
        if (--live == 0)
            releaseBlocks();
    }

    ~Pool() { releaseBlocks(); }

private:
    void newBlock()
    {
        // Every page of a block gets used: mapping them all at once costs far
        // less than one fault per page.
        void* block = mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (block == MAP_FAILED) {
            --live;
            throw std::bad_alloc();
        }
        blocks.push_back(block);
        used = 0;
    }

    void releaseBlocks() noexcept
    {
        for (void* block : blocks)
            munmap(block, kBlockSize);
        blocks.clear();
        used = 0;
        for (FreeSlot*& slot : freeSlots)
            slot = nullptr;
    }

    SpinLock lock;
    std::vector<void*> blocks;
    std::size_t used = 0; // in the last block
    FreeSlot* freeSlots[kClasses + 1] = {};
    std::size_t live = 0;
};

Pool& pool()
{
    // Never destroyed: records freed during the process's exit still find it.
    static Pool* const instance = new Pool;
    return *instance;
}

} // namespace

void* FltRecordMemory::allocate(std::size_t size)
{
    if (!kPooled || size > kLargest)
        return ::operator new(size);
    return pool().allocate(size);
}

void FltRecordMemory::release(void* block, std::size_t size) noexcept
{
    if (!block)
        return;
    if (!kPooled || size > kLargest) {
        ::operator delete(block);
        return;
    }
    pool().release(block, size);
}
