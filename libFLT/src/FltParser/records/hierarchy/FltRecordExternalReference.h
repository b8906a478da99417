#pragma once

#include "FltRecord.h"

// Another OpenFlight file placed here, with the palettes it may override.
class FltRecordExternalReference : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordExternalReference>; }

    char asciiPath[200] = {};
    int32_t reserved1 = 0;
    int32_t flags = 0;
    uint16_t reserved2High = 0; // high half of the last 32-bit word
    uint16_t reserved2 = 0;     // low half

protected:
    const char* getTitle() const override { return "\n EXTERNAL REFERENCE RECORD "; }
    void describe(FltFields& f) override;
};
