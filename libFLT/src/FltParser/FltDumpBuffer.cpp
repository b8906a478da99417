#include "FltDumpBuffer.h"

#include <algorithm>
#include <utility>

void FltDumpBuffer::reserve(std::size_t wanted)
{
    if (wanted <= capacity())
        return;
    const std::size_t used = size();
    std::unique_ptr<char[]> larger(new char[wanted]);
    if (used > 0)
        std::memcpy(larger.get(), storage.get(), used);
    storage = std::move(larger);
    end = storage.get() + used;
    limit = storage.get() + wanted;
}

void FltDumpBuffer::grow(std::size_t bytes)
{
    // Doubling keeps the copies to a constant share of the bytes written.
    reserve(std::max(size() + bytes, std::max<std::size_t>(2 * capacity(), 256)));
}

void FltDumpBuffer::swap(FltDumpBuffer& other) noexcept
{
    std::swap(storage, other.storage);
    std::swap(end, other.end);
    std::swap(limit, other.limit);
}
