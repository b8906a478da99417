#pragma once

#include "FltRecordOldVertexColor.h"

// The early-revision coloured vertex with a normal (stored as floats).
class FltRecordOldVertexColorNormal : public FltRecordOldVertexColor {
public:
    using FltRecordOldVertexColor::FltRecordOldVertexColor;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOldVertexColorNormal>; }

    float vertexNormalScaled[3] = {}; // i, j, k

protected:
    const char* getTitle() const override
    {
        return "\n OLD VERTEX COLOR NORMAL RECORD (OBSOLETE)";
    }
    uint32_t texturedLength() const override { return 40; }
    void describeAttributes(FltFields& f) override;
};
