#pragma once

// The third reader of a record's field description: writes the fields back,
// big-endian, in the order the description lists them, so that a decoded
// record encodes to the bytes it was decoded from. Dump-only lines write
// nothing.

#include <cstddef>
#include <vector>

#include "FltFields.h"

class FltFieldWriter : public FltFields {
public:
    // Appends to `out`.
    explicit FltFieldWriter(std::vector<unsigned char>& out) : out(out) {}

    void number(const char*, FltValueRef value, const char*, const char*) override { encode(value); }
    void text(const char*, char* chars, std::size_t width) override { bytes(chars, width); }
    void reserved(FltValueRef value) override { encode(value); }
    void reservedBytes(void* data, std::size_t width) override { bytes(data, width); }
    void flags(const char*, FltValueRef word, std::initializer_list<FltFlagBit>) override { encode(word); }
    void hex(const char*, FltValueRef value) override { encode(value); }
    void matrix(FltValueRef values) override { encode(values); }
    void packedColor(const char* const[4], FltPackedColor& color) override { bytes(color.bytes, 4); }
    void emptyLine() override {}
    void literal(const char*) override {}
    FltFieldWriter* encoding() override { return this; }

    void bytes(const void* data, std::size_t size);
    // The number of bytes written to the output so far.
    std::size_t size() const { return out.size(); }
    std::vector<unsigned char>& output() { return out; }

private:
    void encode(FltValueRef value);

    std::vector<unsigned char>& out;
};

// Stores a value big-endian at `bytes`: the inverse of fromBigEndian.
template <class T>
void toBigEndian(T value, unsigned char* bytes)
{
    unsigned char host[sizeof(T)];
    std::memcpy(host, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = host[isLittleEndianHost() ? sizeof(T) - 1 - i : i];
}
