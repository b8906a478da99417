#include "AbstractExtensionControlRecord.h"

AbstractExtensionControlRecord::AbstractExtensionControlRecord(uint32_t length)
    : ControlFltRecord(length)
{
    checkControlRecordLength(length, recordSize);
}

void AbstractExtensionControlRecord::describe(FltFields& f)
{
    f.reservedBytes(reserved1, sizeof reserved1);
    f.number("vertexReferenceIndex: ", vertexReferenceIndex);
}
