#pragma once

#include "FltRecord.h"

// Opens the vertex palette; vertex lists address the vertex records behind
// it by their byte offset from this record's first byte.
class FltRecordVertexPalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexPalette>; }

    // The offset of the first vertex record.
    static constexpr uint32_t firstVertexOffset = 8;

    uint32_t vertexPaletteTotalLength = 0;

protected:
    const char* getTitle() const override { return "\n VERTEX PALETTE RECORD "; }
    void describe(FltFields& f) override;
};
