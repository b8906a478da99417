#pragma once

#include <vector>

#include "FltRecord.h"

// The vertices of the face it follows, as vertex palette offsets.
class FltRecordVertexList : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordVertexList>; }

    std::vector<int32_t> offsets;

protected:
    const char* getTitle() const override { return "\n VERTEX LIST RECORD "; }
    void describe(FltFields& f) override;
};
