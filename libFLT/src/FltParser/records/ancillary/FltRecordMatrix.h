#pragma once

#include "FltRecord.h"

// The node's resulting 4 x 4 transformation, row by row as in the file.
// The general matrix record has the same shape and derives from this one.
class FltRecordMatrix : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMatrix>; }

    float matrix[4][4] = {};

protected:
    const char* getTitle() const override { return "\n MATRIX RECORD "; }
    void describe(FltFields& f) override;
};
