#pragma once

#include "FltRecordOldVertex.h"

// The early-revision vertex with edge and shading flags and a colour index.
class FltRecordOldVertexColor : public FltRecordOldVertex {
public:
    using FltRecordOldVertex::FltRecordOldVertex;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOldVertexColor>; }

    uint8_t hardEdgeFlag = 0;
    uint8_t shadingFlag = 0;
    uint16_t colorIndex = 0;

protected:
    const char* getTitle() const override { return "\n OLD VERTEX COLOR RECORD (OBSOLETE)"; }
    uint32_t texturedLength() const override { return 28; }
    void describeAttributes(FltFields& f) override;
};
