#include "FltTestWriter.h"

#include <cstring>
#include <fstream>

FltTestWriter& FltTestWriter::put(const void* value, std::size_t size)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(value);
    image.insert(image.end(), bytes, bytes + size);
    return *this;
}

FltTestWriter& FltTestWriter::putBigEndian(const void* value, std::size_t size)
{
    uint8_t bytes[8];
    std::memcpy(bytes, value, size);
    const uint16_t one = 1;
    if (*reinterpret_cast<const uint8_t*>(&one) == 1)
        for (std::size_t i = 0; i < size / 2; ++i)
            std::swap(bytes[i], bytes[size - 1 - i]);
    return put(bytes, size);
}

void FltTestWriter::closeRecord()
{
    if (!recordOpen)
        return;
    if (!lengthForced) {
        const std::size_t length = image.size() - recordStart;
        image[recordStart + 2] = static_cast<uint8_t>(length >> 8);
        image[recordStart + 3] = static_cast<uint8_t>(length);
    }
    recordOpen = false;
    lengthForced = false;
}

FltTestWriter& FltTestWriter::record(int16_t opcode)
{
    closeRecord();
    recordStart = image.size();
    recordOpen = true;
    i16(opcode);
    return u16(0);
}

FltTestWriter& FltTestWriter::lengthField(uint16_t length)
{
    image[recordStart + 2] = static_cast<uint8_t>(length >> 8);
    image[recordStart + 3] = static_cast<uint8_t>(length);
    lengthForced = true;
    return *this;
}

FltTestWriter& FltTestWriter::bytes(std::initializer_list<uint8_t> values)
{
    image.insert(image.end(), values.begin(), values.end());
    return *this;
}

FltTestWriter& FltTestWriter::text(const std::string& value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        image.push_back(i < value.size() ? static_cast<uint8_t>(value[i]) : 0);
    return *this;
}

FltTestWriter& FltTestWriter::zeros(std::size_t count)
{
    image.insert(image.end(), count, 0);
    return *this;
}

FltTestWriter& FltTestWriter::padTo(std::size_t length)
{
    const std::size_t have = image.size() - recordStart;
    return have < length ? zeros(length - have) : *this;
}

FltTestWriter& FltTestWriter::header(int32_t revision, uint32_t flags, uint8_t units,
                                     int16_t multiplier)
{
    std::size_t length = 164;
    if (revision >= 1570)
        length = 324;
    else if (revision >= 1550)
        length = 278;
    else if (revision >= 1540)
        length = 276;
    else if (revision >= 1500)
        length = 272;
    else if (revision >= 1420)
        length = 268;
    record(1).text("db", 8).i32(revision).i32(1).text("Sat Dec  5 12:00:00 2026", 32);
    i16(1).i16(1).i16(1).i16(1).i16(multiplier).u8(units).u8(0).u32(flags);
    return padTo(length);
}

FltTestWriter& FltTestWriter::group(const std::string& id)
{
    return record(2).text(id, 8).padTo(32);
}

std::vector<uint8_t> FltTestWriter::bytes()
{
    closeRecord();
    return image;
}

bool FltTestWriter::save(const std::string& path)
{
    const std::vector<uint8_t> data = bytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(file);
}
