#pragma once

#include "FltRecord.h"

// Repeats the record before it, applying its transformation each time.
class FltRecordReplicate : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordReplicate>; }

    int32_t numberOfReplications = 0;
    int32_t reserved1 = 0;

protected:
    const char* getTitle() const override { return "\n REPLICATE RECORD "; }
    void describe(FltFields& f) override;
};
