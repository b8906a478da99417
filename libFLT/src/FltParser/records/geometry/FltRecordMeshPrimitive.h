#pragma once

#include <vector>

#include "FltRecord.h"

// One strip, fan or polygon of the mesh above it, as indices into that
// mesh's Local Vertex Pool. Part of the extended record set.
//
//   offset  size  type    field
//        0     2  int16   opcode 86
//        2     2  uint16  length
//        4     2  int16   primitive type: 1 triangle strip, 2 triangle fan,
//                         3 quadrilateral strip, 4 indexed polygon
//        6     2  uint16  index size: 1, 2 or 4 bytes
//        8     4  uint32  vertex count
//       12                vertex count indices of the index size, unsigned
class FltRecordMeshPrimitive : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMeshPrimitive>; }

    enum Type : int16_t { TRIANGLE_STRIP = 1, TRIANGLE_FAN = 2, QUADRILATERAL_STRIP = 3, INDEXED_POLYGON = 4 };

    int16_t primitiveType = 0;
    uint16_t indexSize = 0;
    uint32_t vertexCount = 0;
    // The whole indices the record holds, at most vertexCount; none for an
    // index size other than 1, 2 or 4.
    std::vector<uint32_t> indices;

    bool hasValidIndexSize() const { return indexSize == 1 || indexSize == 2 || indexSize == 4; }

protected:
    const char* getTitle() const override { return "\n MESH PRIMITIVE RECORD "; }
    void describe(FltFields& f) override;
};
