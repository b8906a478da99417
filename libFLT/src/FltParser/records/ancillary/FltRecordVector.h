#pragma once

#include "FltRecord.h"

class FltRecordVector : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVector>; }

    float i = 0;
    float j = 0;
    float k = 0;

protected:
    const char* getTitle() const override { return "\n VECTOR RECORD "; }
    void describe(FltFields& f) override;
};
