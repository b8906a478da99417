#include "FltMeshPrimitiveExpansion.h"

#include "FltRecordMeshPrimitive.h"

namespace {

void addTriangle(uint32_t a, uint32_t b, uint32_t c, FltMeshPolygons& polygons)
{
    if (a != b && b != c && a != c)
        polygons.add({a, b, c});
}

} // namespace

FltMeshExpansion expandMeshPrimitive(int16_t type, const std::vector<uint32_t>& indices,
                                     FltMeshPolygons& polygons)
{
    polygons.clear();
    const std::size_t n = indices.size();
    switch (type) {
    case FltRecordMeshPrimitive::TRIANGLE_STRIP:
        if (n < 3)
            return FltMeshExpansion::TooFewVertices;
        // Every second triangle of a strip runs the other way round: swap its first two corners.
        for (std::size_t i = 0; i + 2 < n; ++i)
            if (i % 2 == 0)
                addTriangle(indices[i], indices[i + 1], indices[i + 2], polygons);
            else
                addTriangle(indices[i + 1], indices[i], indices[i + 2], polygons);
        return FltMeshExpansion::Expanded;
    case FltRecordMeshPrimitive::TRIANGLE_FAN:
        if (n < 3)
            return FltMeshExpansion::TooFewVertices;
        for (std::size_t i = 1; i + 1 < n; ++i)
            addTriangle(indices[0], indices[i], indices[i + 1], polygons);
        return FltMeshExpansion::Expanded;
    case FltRecordMeshPrimitive::QUADRILATERAL_STRIP:
        if (n < 4)
            return FltMeshExpansion::TooFewVertices;
        // Pairs across the strip: 0 1 / 2 3 / 4 5 ... give 0 1 3 2, 2 3 5 4, ...
        for (std::size_t i = 0; i + 3 < n; i += 2)
            polygons.add({indices[i], indices[i + 1], indices[i + 3], indices[i + 2]});
        return FltMeshExpansion::Expanded;
    case FltRecordMeshPrimitive::INDEXED_POLYGON:
        if (n < 3)
            return FltMeshExpansion::TooFewVertices;
        polygons.indices.insert(polygons.indices.end(), indices.begin(), indices.end());
        polygons.ends.push_back(polygons.indices.size());
        return FltMeshExpansion::Expanded;
    default:
        return FltMeshExpansion::UnknownType;
    }
}
