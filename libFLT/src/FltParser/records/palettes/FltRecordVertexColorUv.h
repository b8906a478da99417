#pragma once

#include "FltRecordVertexColor.h"

// A palette vertex with colour and texture coordinate.
class FltRecordVertexColorUv : public FltRecordVertexColor {
public:
    using FltRecordVertexColor::FltRecordVertexColor;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexColorUv>; }

    float texture[2] = {}; // u, v

protected:
    const char* getTitle() const override { return "\n VERTEX COLOR UV (TEXTURE) RECORD "; }
    void describeAttributes(FltFields& f) override;
};
