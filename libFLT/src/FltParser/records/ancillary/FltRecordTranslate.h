#pragma once

#include "FltRecord.h"

// A translation from a point by a delta.
class FltRecordTranslate : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordTranslate>; }

    int32_t reserved = 0;
    double x = 0;
    double y = 0;
    double z = 0;
    double deltaX = 0;
    double deltaY = 0;
    double deltaZ = 0;

protected:
    const char* getTitle() const override { return "\n TRANSLATE RECORD "; }
    void describe(FltFields& f) override;
};
