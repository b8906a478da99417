#pragma once

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

    SoIndexedFaceSet() {
        addField("vertexProperty", vertexProperty);
        addField("coordIndex", coordIndex);
        addField("materialIndex", materialIndex);
    }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};
