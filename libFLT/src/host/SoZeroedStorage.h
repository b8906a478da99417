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
    // A block of `newBytes` (more than `oldBytes`) that starts with the
    // first `oldBytes` of `block`, for values that may be copied bytewise;
    // the rest is zero when the old block was zero past `oldBytes`. Large
    // blocks are remapped, not copied, so their pages are not touched again.
    static void* grow(void* block, std::size_t oldBytes, std::size_t newBytes);

private:
    static constexpr std::size_t kMappedFrom = std::size_t(1) << 18;
};
