#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using RecordBytes = std::vector<uint8_t>;

// A database cut into records the way the parser cuts it: each record's
// bytes, its 4-byte header (big-endian opcode and length) included. What
// follows the last whole record (a length that does not fit, trailing
// bytes) is kept as it is in the tail.
struct RecordStream {
    std::vector<RecordBytes> records;
    RecordBytes tail;

    static RecordStream cut(const uint8_t* data, std::size_t size);
    void appendTo(std::vector<uint8_t>& out) const;
    std::size_t byteSize() const;
};

constexpr std::size_t kRecordHeaderSize = 4;
constexpr std::size_t kMaxRecordSize = 0xFFFF;

uint16_t opcodeOf(const RecordBytes& record);
// A record of this opcode with a zeroed body of bodySize bytes.
RecordBytes makeRecord(uint16_t opcode, std::size_t bodySize);
// Sets the length field to the record's size (as far as 16 bits hold it).
void fixLength(RecordBytes& record);
void putBigEndian(RecordBytes& bytes, std::size_t offset, uint64_t value, std::size_t width);

