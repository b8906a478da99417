#pragma once

#include "FltRecordVertexColor.h"

// A palette vertex with colour, normal and texture coordinate.
class FltRecordVertexColorNormalUv : public FltRecordVertexColor {
public:
    using FltRecordVertexColor::FltRecordVertexColor;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexColorNormalUv>; }

    float vertexNormal[3] = {};  // i, j, k
    float texture[2] = {};       // u, v
    int32_t reserved1 = 0;       // from revision 1580, often earlier (below)

    // The record's length with its closing reserved word: a record made
    // with this length writes the word at any revision from 1540 on.
    static constexpr uint32_t lengthWithTrailer = 64;

protected:
    const char* getTitle() const override { return "\n VERTEX COLOR NORMAL UV RECORD "; }
    void describeAttributes(FltFields& f) override;
    void describeTrailer(FltFields& f) override;
};
