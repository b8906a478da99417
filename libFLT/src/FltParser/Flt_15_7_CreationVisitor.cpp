#include "Flt_15_7_CreationVisitor.h"

#include <iostream>

#include "FltRawData.h"
#include "FltRecords.h"

FltRecord* Flt_15_7_CreationVisitor::instantiate(int32_t opcode, uint32_t length)
{
    switch (opcode) {
    case 1: return new FltRecordHeader(length);
    case 2: return new FltRecordGroup(length);
    default: return new FltRecordUnknown(opcode, length);
    }
}

void Flt_15_7_CreationVisitor::create(FltRecord*& record, const FltRawData* raw)
{
    // Consecutive Sound Palette records (header part, then data part) grow one object.
    if (raw->opcode == 93 && lastCreatedRecord && lastCreatedRecord->getOpcode() == 93)
        record = lastCreatedRecord;
    else
        record = instantiate(raw->opcode, raw->length);

    if (FltVersion* version = dynamic_cast<FltVersion*>(record))
        version->setVersion(getVersion());

    record->read(raw->data.data());
    lastCreatedRecord = record;
    record->printFields(std::cout);
}
