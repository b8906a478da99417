#pragma once

#include "FltRecordMatrix.h"

// A general (possibly non-affine) transformation: a matrix record under
// another opcode and title.
class FltRecordGeneralMatrix : public FltRecordMatrix {
public:
    using FltRecordMatrix::FltRecordMatrix;
    int32_t getOpcode() const override { return fltOpcode<FltRecordGeneralMatrix>; }

protected:
    const char* getTitle() const override;
};
