#include "FltRawData.h"

#include "FltDecode.h"

void FltRawData::setHeader(const unsigned char* buffer, uint64_t offset)
{
    opcode = fromBigEndian<int16_t>(buffer + offset);
    length = fromBigEndian<uint16_t>(buffer + offset + 2);
}
