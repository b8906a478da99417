#pragma once

#include <cstdint>

#include "FltCreationVisitor.h"

// The record factory for the OpenFlight 15.7 record set: one class per
// opcode, FltRecordUnknown for the rest. Every record is dumped to the
// standard output the moment it has been decoded.
class Flt_15_7_CreationVisitor : public FltCreationVisitor {
public:
    void create(FltRecord*& record, const FltRawData* raw) override;

    // A new, undecoded record object of the class that serves the opcode.
    static FltRecord* instantiate(int32_t opcode, uint32_t length);

private:
    FltRecord* lastCreatedRecord = nullptr;
};
