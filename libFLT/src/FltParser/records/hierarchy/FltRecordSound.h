#pragma once

#include "FltRecord.h"

// A sound emitter placed in the hierarchy; `index` points into the sound palette.
class FltRecordSound : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordSound>; }

    char idASCII[8] = {};
    int32_t reserved1 = 0;
    int32_t index = 0;
    int32_t reserved2 = 0;
    double origin[3] = {};
    float direction[3] = {};
    float amplitude = 0;
    float pitch = 0;
    float priority = 0;
    float falloff = 0;
    float width = 0;
    int32_t flags = 0;
    int32_t reserved3 = 0;

protected:
    const char* getTitle() const override { return "\n SOUND RECORD "; }
    void describe(FltFields& f) override;
};
