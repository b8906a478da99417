#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FltRecord.h"
#include "Flt_15_7_CreationVisitor.h"
#include "TestFiles.h"

// Cuts an image into records as the parser does, makes each one through the
// factory's class table, and joins their dumps. Every record is decoded from
// a buffer of exactly its own size, so the sanitizers see any read beyond it.
inline std::string dumpRecords(const std::vector<uint8_t>& image)
{
    std::string dumps;
    std::size_t offset = 0;
    while (offset + 4 <= image.size()) {
        const int16_t opcode = static_cast<int16_t>(image[offset] << 8 | image[offset + 1]);
        const std::size_t length = image[offset + 2] << 8 | image[offset + 3];
        if (length < 4 || length > image.size() - offset)
            break;
        const std::vector<uint8_t> bytes(image.begin() + offset, image.begin() + offset + length);
        std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(opcode, length));
        dumps += decodeAndDump(*record, bytes);
        offset += length;
    }
    return dumps;
}

// The title, kind and opcode/length lines that open every dump.
inline std::string dumpHead(const std::string& title, const std::string& kind, int opcode,
                            unsigned length)
{
    return "\n " + title + " \n  (" + kind + "_RECORD)\n-- Opcode: " + std::to_string(opcode) +
           "  Length: " + std::to_string(length) + " --\n";
}

// The first `length` bytes of a single record (zero-padded when longer), with
// its length field telling so: a truncated or inflated variant of it.
inline std::vector<uint8_t> resizedRecord(std::vector<uint8_t> record, std::size_t length)
{
    record.resize(length);
    if (length >= 4) {
        record[2] = static_cast<uint8_t>(length >> 8);
        record[3] = static_cast<uint8_t>(length);
    }
    return record;
}
