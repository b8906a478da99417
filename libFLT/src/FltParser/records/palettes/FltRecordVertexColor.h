#pragma once

#include "FltPackedColor.h"
#include "FltRecord.h"
#include "FltVersion.h"

// A vertex of the vertex palette with its colour. The kinds that add a
// normal and/or a texture coordinate derive from it and only describe the
// floats they insert between the coordinates and the packed colour.
class FltRecordVertexColor : public PaletteFltRecord, public FltVersion {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexColor>; }

    static constexpr int startHardEdgeBit = 15;
    static constexpr int normalFrozenBit = 14;
    static constexpr int noColorBit = 13;
    static constexpr int packedColorBit = 12;

    uint16_t colorNameIndex = 0;
    uint16_t flags = 0;
    double Xcoordinate = 0;
    double Ycoordinate = 0;
    double Zcoordinate = 0;
    FltPackedColor packedColor;
    int32_t vertexColorIndex = -1; // from revision 1540

protected:
    const char* getTitle() const override { return "\n VERTEX COLOR RECORD "; }
    void describe(FltFields& f) final;

    // The normal and/or texture coordinate of the richer kinds.
    virtual void describeAttributes(FltFields&) {}
    // The reserved word the normal-carrying kinds end with from revision 1580.
    virtual void describeTrailer(FltFields&) {}
    // Whether the record has that word: named from 1580 on, it is already
    // there in records of earlier revisions as long as `length`.
    bool holdsTrailer(uint32_t length) const
    {
        return getVersion() >= 1580 || getLength() >= length;
    }

    static void describeNormal(FltFields& f, float (&vertexNormal)[3]);
};

// The "texture: u=" / "v=" pair, shared by every vertex kind that has one.
void describeVertexTexture(FltFields& f, float (&texture)[2]);
