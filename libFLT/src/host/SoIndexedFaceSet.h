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
        OUTLINE_CLOSED = 8, // drawn as its outline, closed (a line loop)
        OUTLINE_OPEN = 16,  // drawn as its outline, open (a line strip)
    };
    std::vector<uint8_t> faceStyles;
    // Per face, in the same order, when known: the face's own colour as the
    // display showed it (0xRRGGBB00), which an unlit face shows whatever its
    // material, and how opaque the face is (face, object and material
    // transparency together, 0 to 1).
    std::vector<uint32_t> faceColors;
    std::vector<float> faceOpacities;

    SoIndexedFaceSet() {
        addField("vertexProperty", vertexProperty);
        addField("coordIndex", coordIndex);
        addField("materialIndex", materialIndex);
    }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};
