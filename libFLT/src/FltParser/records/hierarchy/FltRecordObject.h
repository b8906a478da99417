#pragma once

#include "FltRecord.h"

// A piece of geometry: the faces under it become one shape.
class FltRecordObject : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordObject>; }

    char idASCII[8] = {};
    int32_t flags = 0;
    int16_t relativePriority = 0;
    uint16_t transparency = 0;
    int16_t id1SpecialEffect = 0;
    int16_t id2SpecialEffect = 0;
    int16_t significance = 0;
    int16_t spare = 0;

protected:
    const char* getTitle() const override { return "\n OBJECT RECORD "; }
    void describe(FltFields& f) override;
};
