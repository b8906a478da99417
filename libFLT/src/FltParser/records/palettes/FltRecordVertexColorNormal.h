#pragma once

#include "FltRecordVertexColor.h"

// A palette vertex with colour and normal.
class FltRecordVertexColorNormal : public FltRecordVertexColor {
public:
    using FltRecordVertexColor::FltRecordVertexColor;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexColorNormal>; }

    float vertexNormal[3] = {};  // i, j, k
    int32_t reserved1 = 0;       // from revision 1580

protected:
    const char* getTitle() const override { return "\n VERTEX COLOR NORMAL RECORD "; }
    void describeAttributes(FltFields& f) override;
    void describeTrailer(FltFields& f) override;
};
