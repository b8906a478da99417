#pragma once

#include <cstdint>
#include <vector>

// How a mesh primitive's indices became polygons.
enum class FltMeshExpansion { Expanded, UnknownType, TooFewVertices };

// The polygons of a mesh primitive of the given type, each a list of its
// indices: strips and fans become triangles that all turn the way the
// first one does, quadrilateral strips quadrilaterals, an indexed polygon
// stays one polygon. Triangles that repeat an index (the joints between
// strips) have no area and are left out.
FltMeshExpansion expandMeshPrimitive(int16_t type, const std::vector<uint32_t>& indices,
                                     std::vector<std::vector<uint32_t>>& polygons);
