#pragma once

#include <cstddef>

// Zero-filled memory for the values of multiple-value fields. Large blocks
// come straight from the system, whose fresh pages are zero and cost nothing
// until they are written: a field sized far ahead of its use (a palette
// preallocated for a hundred thousand vertices) costs only what it holds.
class SoZeroedStorage {
public:
    // Null for zero bytes; throws std::bad_alloc when the memory is not there.
    static void* allocate(std::size_t bytes);
    // `bytes` as given to allocate().
    static void release(void* block, std::size_t bytes);

private:
    static constexpr std::size_t kMappedFrom = std::size_t(1) << 18;
};
