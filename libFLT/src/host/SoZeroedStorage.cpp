#include "SoZeroedStorage.h"

#include <sys/mman.h>

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
        if (moved != MAP_FAILED) return moved;
    }
    void* fresh = allocate(newBytes);
    if (block) std::memcpy(fresh, block, oldBytes);
    release(block, oldBytes);
    return fresh;
}
