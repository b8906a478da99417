#pragma once

#include <cstdint>
#include <vector>

#include "GltfBinaryBuffer.h"

// Vertex attributes and indices written to the binary buffer, each returned
// as the index of a new accessor.
namespace gltf_accessors {

// xyz holds three floats a vertex; positions carry their bounds (glTF requires them).
int addVec3(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<float>& xyz,
            bool withBounds);
int addVec2(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<float>& uv);
// Indices into vertexCount vertices: 16 bits each when they fit (the largest
// value of a type is reserved), 32 otherwise.
int addIndices(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<uint32_t>& indices,
               uint32_t vertexCount);

}  // namespace gltf_accessors
