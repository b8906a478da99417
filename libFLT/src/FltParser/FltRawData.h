#pragma once

#include <cstdint>
#include <vector>

// One record's header and a private copy of its bytes, on their way from the
// parser to the record factory.
class FltRawData {
public:
    virtual ~FltRawData() = default;

    // Decodes the big-endian opcode and length at `offset` of `buffer`;
    // the caller guarantees 4 bytes there.
    void setHeader(const unsigned char* buffer, uint64_t offset);

    int16_t opcode = 0;
    uint16_t length = 0;
    std::vector<unsigned char> data; // the whole record, header included
    // With Continuation records joined: the length field of each part, the
    // first record's included; else empty.
    std::vector<uint16_t> partLengths;
};
