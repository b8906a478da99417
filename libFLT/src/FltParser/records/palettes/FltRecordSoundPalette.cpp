#include "FltRecordSoundPalette.h"

#include <algorithm>

void FltRecordSoundPalette::read(const unsigned char* data)
{
    // A later part is a record of its own: its extent is its own length
    // field, not the length this object was created with.
    std::size_t length = getLength();
    if (readBefore)
        length = fromBigEndian<uint16_t>(data + 2);
    readBefore = true;

    FltFieldReader reader(data, length);
    describe(reader);
    warnIfShort(reader.cursor);
    partsAsRead.emplace_back(data, data + length);
}

void FltRecordSoundPalette::encode(std::vector<unsigned char>& out)
{
    for (const std::vector<unsigned char>& part : partsAsRead)
        out.insert(out.end(), part.begin(), part.end());
    appendTrailingBytes(out);
}

void FltRecordSoundPalette::describe(FltFields& f)
{
    int32_t parts = subType;
    if (FltCursor* cursor = f.decoding()) {
        int32_t subTypeTmp = 0;
        readField(subTypeTmp, *cursor);
        parts = (subTypeTmp == headerPart || subTypeTmp == dataPart) ? subTypeTmp : 0;
        subType |= parts;
    }
    if (parts & headerPart)
        describeHeaderPart(f);
    if (parts & dataPart)
        describeDataPart(f);
}

void FltRecordSoundPalette::describeHeaderPart(FltFields& f)
{
    if (FltDumpWriter* out = f.dumping())
        out->line("subType : ", subType);
    f.number("maxNumber : ", maxNumber);
    f.number("actualNumber : ", actualNumber);
    f.number("totalLength : ", totalLength);
    f.reserved(reserved);

    if (FltCursor* cursor = f.decoding()) {
        // Never more entries than the record's bytes hold.
        const std::size_t entrySize = 12;
        const std::size_t fit = cursor->remaining() / entrySize;
        const std::size_t count =
            actualNumber > 0 ? std::min(static_cast<std::size_t>(actualNumber), fit) : 0;
        for (std::size_t i = 0; i < count; ++i) {
            int32_t index = 0, entryReserved = 0, offset = 0;
            readField(index, *cursor);
            readField(entryReserved, *cursor);
            readField(offset, *cursor);
            fileNameOffsets[index] = offset;
        }
    }
    if (FltDumpWriter* out = f.dumping())
        for (const auto& entry : fileNameOffsets)
            (*out << "fileNameOffset[" << entry.first << "] : " << entry.second).endl();
}

void FltRecordSoundPalette::describeDataPart(FltFields& f)
{
    if (FltDumpWriter* out = f.dumping())
        out->line("subType : ", subType);
    f.number("dataLength : ", dataLength);

    if (FltCursor* cursor = f.decoding()) {
        // Never more bytes than the record holds.
        const std::size_t claimed = dataLength > 0 ? static_cast<std::size_t>(dataLength) : 0;
        const std::size_t held = std::min(claimed, cursor->remaining());
        packedData.assign(held + 1, '\0');
        readBytes(packedData.data(), *cursor, held);
        cursor->skip(claimed - held); // what the record lacks shows as missing

    }
    if (FltDumpWriter* out = f.dumping())
        (*out << "packedData : ").text(packedData.data(), packedData.size()).endl();
}
