#pragma once

#include <cstdint>
#include <vector>

#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Polygons given as runs of vertex indices, each run ended by -1. Vertices
// come from the SoVertexProperty held in vertexProperty.
class SoIndexedFaceSet : public SoSubNode<SoIndexedFaceSet, SoNode> {
public:
    static constexpr const char* kClassName = "SoIndexedFaceSet";

    SoSFNode vertexProperty;
    SoMFInt32 coordIndex;
    SoMFInt32 materialIndex;

    // How each face is drawn beyond its material, for exporters: a mask of
    // the bits below per face, in face order; faces past the end use none.
    // Not a field: the scene text does not show it.
    enum FaceStyle : uint8_t {
        UNLIT = 1,          // its color as it is, not lit
        VERTEX_COLORS = 2,  // colored by its vertices' colors, not its material's
        TWO_SIDED = 4,      // both sides drawn
    };
    std::vector<uint8_t> faceStyles;

    SoIndexedFaceSet() {
        addField("vertexProperty", vertexProperty);
        addField("coordIndex", coordIndex);
        addField("materialIndex", materialIndex);
    }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};
