#pragma once

#include <cstddef>

// Where record objects live. A large database makes millions of them, all
// freed together after the walk: they are carved from big blocks rather
// than asked of malloc one by one, and the blocks go back to the system when
// the last record is freed.
// Thread-safe.
class FltRecordMemory {
public:
    static void* allocate(std::size_t size);
    static void release(void* block, std::size_t size) noexcept;
};
