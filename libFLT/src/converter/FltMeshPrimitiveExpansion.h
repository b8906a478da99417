#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Polygons one after another in one list, so that expanding a primitive of
// many triangles allocates nothing once the lists have grown: polygon k is
// indices[ends[k - 1]] up to, not including, indices[ends[k]] (from 0 for k = 0).
struct FltMeshPolygons {
    std::vector<uint32_t> indices;
    std::vector<std::size_t> ends;

    void clear()
    {
        indices.clear();
        ends.clear();
    }
    void add(std::initializer_list<uint32_t> polygon)
    {
        indices.insert(indices.end(), polygon);
        ends.push_back(indices.size());
    }
};

// How a mesh primitive's indices became polygons.
enum class FltMeshExpansion { Expanded, UnknownType, TooFewVertices };

// The polygons of a mesh primitive of the given type, each a list of its
// indices: strips and fans become triangles that all turn the way the
// first one does, quadrilateral strips quadrilaterals, an indexed polygon
// stays one polygon. Triangles that repeat an index (the joints between
// strips) have no area and are left out.
FltMeshExpansion expandMeshPrimitive(int16_t type, const std::vector<uint32_t>& indices,
                                     FltMeshPolygons& polygons);
