#pragma once

#include <cstdint>

#include "FltCreationVisitor.h"
#include "FltExtendedRecords.h"

// The record factory for the OpenFlight 15.7 record set: one class per
// opcode, FltRecordUnknown for the rest (and for the extended record set's
// opcodes unless it was turned on when the parse began). Every record is dumped to the
// standard output the moment it has been decoded.
class Flt_15_7_CreationVisitor : public FltCreationVisitor {
public:
    void create(FltRecord*& record, const FltRawData* raw) override;

    // A new, undecoded record object of the class that serves the opcode;
    // the extended record set's opcodes have theirs only when asked for.
    static FltRecord* instantiate(int32_t opcode, uint32_t length, bool extended = false);

    bool readsExtendedRecords() const override { return extendedRecords; }

private:
    FltRecord* lastCreatedRecord = nullptr;
    const bool extendedRecords = isFltExtendedRecords();
};
