#include "Flt_15_7_CreationVisitor.h"

#include <iostream>

#include "FltDumpQueue.h"
#include "FltRawData.h"
#include "FltRecords.h"

FltRecord* Flt_15_7_CreationVisitor::instantiate(int32_t opcode, uint32_t length, bool extended)
{
    if (isFltExtendedOpcode(opcode) && !extended)
        return new FltRecordUnknown(opcode, length);
    switch (opcode) {
#define FLT_NEW_RECORD(code, Record, name, set) \
    case code: return new Record(length);
        FLT_RECORD_TABLE(FLT_NEW_RECORD)
#undef FLT_NEW_RECORD
    default: return new FltRecordUnknown(opcode, length);
    }
}

void Flt_15_7_CreationVisitor::create(FltRecord*& record, const FltRawData* raw)
{
    // Consecutive Sound Palette records (header part, then data part) grow one object.
    if (raw->opcode == FLT_SOUND_PALETTE && lastCreatedRecord && lastCreatedRecord->getOpcode() == FLT_SOUND_PALETTE) {
        // Its first dump must be written before the object changes.
        if (dumpQueue)
            dumpQueue->waitUntilWritten();
        record = lastCreatedRecord;
    } else {
        // The bytes, not the length field: a record joined with its continuations is longer.
        record = instantiate(raw->opcode, static_cast<uint32_t>(raw->data.size()), extendedRecords);
        if (!extendedRecords && isFltExtendedOpcode(raw->opcode))
            ++extendedRecordsMissed;
    }

    if (FltVersion* version = dynamic_cast<FltVersion*>(record))
        version->setVersion(getVersion());

    record->read(raw->data.data());
    lastCreatedRecord = record;
    if (!dumping)
        return;
    if (dumpQueue)
        dumpQueue->dump(record);
    else
        record->printFields(std::cout);
}
