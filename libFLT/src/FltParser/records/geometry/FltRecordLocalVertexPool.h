#pragma once

#include <cstddef>
#include <vector>

#include "FltPackedColor.h"
#include "FltRecord.h"

// The vertices of the mesh it follows, indexed by that mesh's primitives.
// Each vertex holds only the attributes the mask names, packed in bit order.
// Part of the extended record set.
//
//   offset  size  type    field
//        0     2  int16   opcode 85
//        2     2  uint16  length
//        4     4  uint32  vertex count
//        8     4  uint32  attribute mask, bits from the most significant:
//                           31 position        3 doubles  x, y, z
//                           30 colour index    uint32
//                           29 packed colour   4 bytes    a, b, g, r
//                           28 normal          3 floats   i, j, k
//                           27 base UV         2 floats   u, v
//                           26 to 20 UV layers 1 to 7, 2 floats each
//       12                vertex count x the attributes named, in that order
class FltRecordLocalVertexPool : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordLocalVertexPool>; }

    static constexpr int positionBit = 31;
    static constexpr int colorIndexBit = 30;
    static constexpr int packedColorBit = 29;
    static constexpr int normalBit = 28;
    static constexpr int baseUvBit = 27; // layer n (1 to 7) at bit 27 - n
    static constexpr int uvLayers = 8;

    struct Vertex {
        double position[3] = {};
        uint32_t colorIndex = 0;
        FltPackedColor packedColor;
        float normal[3] = {};
        float uv[uvLayers][2] = {};
    };

    uint32_t vertexCount = 0;
    uint32_t attributeMask = 0;
    // The whole vertices the record holds: at most vertexCount, fewer when
    // the count or the mask names more bytes than the record has.
    std::vector<Vertex> vertices;

    bool hasAttribute(int bit) const { return testBit(attributeMask, bit); }
    // The bytes of one vertex with the attributes the mask names.
    std::size_t vertexSize() const;

protected:
    const char* getTitle() const override { return "\n LOCAL VERTEX POOL RECORD "; }
    void describe(FltFields& f) override;
};
