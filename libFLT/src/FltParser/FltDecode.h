#pragma once

// Big-endian field decoding over a bounded cursor.
//
// Every OpenFlight value is stored big-endian and decoded where it is read.
// The cursor carries the end of the record it walks: a read that would pass
// that end leaves its destination untouched and moves the cursor to the end,
// so a short or lying record can never make a decode touch foreign memory.

#include <cstddef>
#include <cstdint>
#include <cstring>

inline bool isLittleEndianHost()
{
    const uint16_t one = 1;
    unsigned char first;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

// Reorders N big-endian bytes into a host value; floats are rebuilt byte by
// byte in their own storage, never through an integer conversion.
template <class T>
T fromBigEndian(const unsigned char* bytes)
{
    unsigned char host[sizeof(T)];
    if (isLittleEndianHost()) {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            host[i] = bytes[sizeof(T) - 1 - i];
    } else {
        std::memcpy(host, bytes, sizeof(T));
    }
    T value;
    std::memcpy(&value, host, sizeof(T));
    return value;
}

class FltCursor {
public:
    FltCursor(const unsigned char* begin, const unsigned char* end)
        : pos(begin), limit(end < begin ? begin : end) {}

    std::size_t remaining() const { return static_cast<std::size_t>(limit - pos); }
    bool atEnd() const { return pos >= limit; }
    const unsigned char* position() const { return pos; }
    // Bytes a decode asked for beyond the end; zero for a well-formed record.
    std::size_t missing() const { return shortfall; }

    // Claims n bytes: returns their start, or null (and moves to the end)
    // when fewer than n remain.
    const unsigned char* take(std::size_t n)
    {
        if (n > remaining()) {
            shortfall += n - remaining();
            pos = limit;
            return nullptr;
        }
        const unsigned char* start = pos;
        pos += n;
        return start;
    }

    void skip(std::size_t n) { take(n); }

private:
    const unsigned char* pos;
    const unsigned char* limit;
    std::size_t shortfall = 0;
};

// Decodes one value and advances; past the end the destination keeps its value.
template <class T>
void readField(T& destination, FltCursor& cursor)
{
    if (const unsigned char* bytes = cursor.take(sizeof(T)))
        destination = fromBigEndian<T>(bytes);
}

// Copies n bytes unchanged; when fewer remain, copies those and leaves the
// rest of the destination as it was.
inline void readBytes(void* destination, FltCursor& cursor, std::size_t n)
{
    const std::size_t available = n < cursor.remaining() ? n : cursor.remaining();
    if (available > 0)
        std::memcpy(destination, cursor.position(), available);
    cursor.skip(n);
}

inline bool testBit(uint32_t word, int bit) { return (word & (uint32_t(1) << bit)) != 0; }
inline bool testByteBit(uint8_t byte, int bit) { return (byte & (1u << bit)) != 0; }
