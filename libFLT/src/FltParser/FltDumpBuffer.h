#pragma once

// Text gathered in memory and written into by pointer: a caller asks for
// room, writes straight into it and moves the end past what it wrote, so
// that formatting a number costs no temporary and no size bookkeeping
// beyond one comparison.

#include <cstddef>
#include <cstring>
#include <memory>

class FltDumpBuffer {
public:
    explicit FltDumpBuffer(std::size_t capacity = 0) { reserve(capacity); }
    FltDumpBuffer(const FltDumpBuffer&) = delete;
    FltDumpBuffer& operator=(const FltDumpBuffer&) = delete;

    // At least `bytes` writable bytes at the end; `commit` moves the end.
    char* room(std::size_t bytes)
    {
        if (static_cast<std::size_t>(limit - end) < bytes)
            grow(bytes);
        return end;
    }
    void commit(char* newEnd) { end = newEnd; }

    void append(const char* chars, std::size_t count)
    {
        char* at = room(count);
        std::memcpy(at, chars, count);
        end = at + count;
    }
    void put(char c)
    {
        *room(1) = c;
        ++end;
    }

    const char* data() const { return storage.get(); }
    std::size_t size() const { return static_cast<std::size_t>(end - storage.get()); }
    std::size_t capacity() const { return static_cast<std::size_t>(limit - storage.get()); }
    bool empty() const { return end == storage.get(); }
    void clear() { end = storage.get(); }
    void reserve(std::size_t capacity);
    void swap(FltDumpBuffer& other) noexcept;

private:
    void grow(std::size_t bytes);

    std::unique_ptr<char[]> storage;
    char* end = nullptr;
    char* limit = nullptr;
};
