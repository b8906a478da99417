#pragma once

#include <cstdint>
#include <vector>

#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Per-vertex data shared by the shapes that reference it. orderedRGBA packs
// colors as 0xRRGGBBAA.
class SoVertexProperty : public SoSubNode<SoVertexProperty, SoNode> {
public:
    static constexpr const char* kClassName = "SoVertexProperty";

    SoMFVec3f vertex;
    SoMFVec3f normal;
    SoMFVec2f texCoord;
    SoMFUInt32 orderedRGBA;
    // The vertices' own colors (0xRRGGBBAA), for exporters that draw faces
    // colored by vertex. Not a field: the scene text does not show them.
    std::vector<uint32_t> vertexColors;

    SoVertexProperty() {
        addField("vertex", vertex);
        addField("normal", normal);
        addField("texCoord", texCoord);
        addField("orderedRGBA", orderedRGBA);
    }
};
