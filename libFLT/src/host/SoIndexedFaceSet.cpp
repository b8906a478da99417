#include "SoIndexedFaceSet.h"

#include "SoGetBoundingBoxAction.h"
#include "SoVertexProperty.h"

void SoIndexedFaceSet::getBoundingBox(SoGetBoundingBoxAction* action) {
    const SoNode* held = vertexProperty.getValue();
    if (!held || !held->isOfType(SoVertexProperty::getClassTypeId())) return;
    const SoMFVec3f& vertices = static_cast<const SoVertexProperty*>(held)->vertex;
    // Only vertices a face actually uses count; separators and bad indices are skipped.
    for (int i = 0; i < coordIndex.getNum(); ++i) {
        const int32_t index = coordIndex[i];
        if (index >= 0 && index < vertices.getNum()) action->extendBy(vertices[index]);
    }
}
