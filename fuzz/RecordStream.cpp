#include "RecordStream.h"

#include <algorithm>

RecordStream RecordStream::cut(const uint8_t* data, std::size_t size)
{
    RecordStream stream;
    std::size_t offset = 0;
    while (size - offset >= kRecordHeaderSize) {
        const std::size_t length = std::size_t(data[offset + 2]) << 8 | data[offset + 3];
        if (length < kRecordHeaderSize || length > size - offset)
            break;
        stream.records.emplace_back(data + offset, data + offset + length);
        offset += length;
    }
    stream.tail.assign(data + offset, data + size);
    return stream;
}

void RecordStream::appendTo(std::vector<uint8_t>& out) const
{
    for (const RecordBytes& record : records)
        out.insert(out.end(), record.begin(), record.end());
    out.insert(out.end(), tail.begin(), tail.end());
}

std::size_t RecordStream::byteSize() const
{
    std::size_t size = tail.size();
    for (const RecordBytes& record : records)
        size += record.size();
    return size;
}

uint16_t opcodeOf(const RecordBytes& record)
{
    return record.size() >= 2 ? static_cast<uint16_t>(record[0] << 8 | record[1]) : 0;
}

RecordBytes makeRecord(uint16_t opcode, std::size_t bodySize)
{
    RecordBytes record(kRecordHeaderSize + bodySize, 0);
    putBigEndian(record, 0, opcode, 2);
    fixLength(record);
    return record;
}

void fixLength(RecordBytes& record)
{
    if (record.size() >= kRecordHeaderSize)
        putBigEndian(record, 2, std::min(record.size(), kMaxRecordSize), 2);
}

void putBigEndian(RecordBytes& bytes, std::size_t offset, uint64_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * (width - 1 - i)));
}
