#pragma once

#include "FltRecord.h"
#include "FltVersion.h"

class FltRecordGroup : public PrimaryFltRecord, public FltVersion {
public:
    FltVersion* revisionDependent() override { return this; }
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordGroup>; }

    char idASCII[8] = {};
    int16_t relativePriority = 0;
    int16_t reserved1 = 0;
    int32_t flags = 0;
    int16_t id1SpecialEffect = 0;
    int16_t id2SpecialEffect = 0;
    int16_t significance = 0;
    int8_t layerCode = 0;
    int8_t reserved2 = 0;
    int32_t reserved3 = 0; // from revision 1421

protected:
    const char* getTitle() const override { return "\n GROUP RECORD "; }
    void describe(FltFields& f) override;
};
