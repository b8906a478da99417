#include "SoZeroedStorage.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>

void* SoZeroedStorage::allocate(std::size_t bytes) {
    if (bytes == 0) return nullptr;
    void* block = nullptr;
    if (bytes >= kMappedFrom) {
        block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) block = nullptr;
    } else {
        block = std::calloc(1, bytes);
    }
    if (!block) throw std::bad_alloc();
    return block;
}

void SoZeroedStorage::release(void* block, std::size_t bytes) {
    if (!block) return;
    if (bytes >= kMappedFrom)
        munmap(block, bytes);
    else
        std::free(block);
}

void* SoZeroedStorage::grow(void* block, std::size_t oldBytes, std::size_t newBytes) {
    if (block && oldBytes >= kMappedFrom) {
        void* moved = mremap(block, oldBytes, newBytes, MREMAP_MAYMOVE);
        if (moved != MAP_FAILED) {
            // A grown field is mostly filled next: its new pages at once cost
            // far less than one fault each (failing, they come as faults).
            const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
            const std::size_t from = (oldBytes + page - 1) / page * page;
            if (newBytes > from)
                madvise(static_cast<char*>(moved) + from, newBytes - from, MADV_POPULATE_WRITE);
            return moved;
        }
    }
    void* fresh = allocate(newBytes);
    if (block) std::memcpy(fresh, block, oldBytes);
    release(block, oldBytes);
    return fresh;
}
