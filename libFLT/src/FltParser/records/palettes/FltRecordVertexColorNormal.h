#pragma once

#include "FltRecordVertexColor.h"

// A palette vertex with colour and normal.
class FltRecordVertexColorNormal : public FltRecordVertexColor {
public:
    using FltRecordVertexColor::FltRecordVertexColor;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexColorNormal>; }

    float vertexNormal[3] = {};  // i, j, k
    int32_t reserved1 = 0;       // from revision 1580, often earlier (below)

    // The record's length with its closing reserved word: a record made
    // with this length writes the word at any revision from 1540 on.
    static constexpr uint32_t lengthWithTrailer = 56;

protected:
    const char* getTitle() const override { return "\n VERTEX COLOR NORMAL RECORD "; }
    void describeAttributes(FltFields& f) override;
    void describeTrailer(FltFields& f) override;
};
