#pragma once

#include "FltRecord.h"

// The vertex of early revisions: integer coordinates, and a texture
// coordinate only when the record has exactly the length that holds one.
// The coloured kinds derive from it and add the fields in between.
class FltRecordOldVertex : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordOldVertex>; }

    int32_t Xcoordinate = 0;
    int32_t Ycoordinate = 0;
    int32_t Zcoordinate = 0;
    float texture[2] = {0.0f, 0.0f}; // u, v

    bool hasTexture() const { return getLength() == texturedLength(); }

protected:
    const char* getTitle() const override { return "\n OLD VERTEX RECORD (OBSOLETE)"; }
    void describe(FltFields& f) final;

    // The one record length whose last 8 bytes are a texture coordinate.
    virtual uint32_t texturedLength() const { return 24; }
    // The fields between the coordinates and the texture coordinate.
    virtual void describeAttributes(FltFields&) {}
};
