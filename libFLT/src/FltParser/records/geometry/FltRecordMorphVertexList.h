#pragma once

#include <utility>
#include <vector>

#include "FltRecord.h"

// The vertices of a morphing face: for each, the vertex palette offsets of
// its 0 % and its 100 % vertex.
class FltRecordMorphVertexList : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMorphVertexList>; }

    std::vector<std::pair<int32_t, int32_t>> offsets; // (0 %, 100 %)

protected:
    const char* getTitle() const override { return "\n MORPH VERTEX LIST RECORD "; }
    void describe(FltFields& f) override;
};
