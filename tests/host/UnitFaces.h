#pragma once

#include "Veldra.h"

// A face set over the corners (0,0,0) and (1,1,1): a scene's smallest box.
inline SoIndexedFaceSet* unitFaces()
{
    auto* vertices = new SoVertexProperty;
    vertices->vertex.set1Value(0, SbVec3f(0.0f, 0.0f, 0.0f));
    vertices->vertex.set1Value(1, SbVec3f(1.0f, 1.0f, 1.0f));
    auto* faces = new SoIndexedFaceSet;
    faces->vertexProperty = vertices;
    const int32_t indices[] = {0, 1, -1};
    faces->coordIndex.setValues(0, 3, indices);
    return faces;
}
