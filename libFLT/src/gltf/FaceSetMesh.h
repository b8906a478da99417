#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "GltfBinaryBuffer.h"
#include "MaterialTable.h"
#include "PolygonTessellator.h"

class SoIndexedFaceSet;
class SoVertexProperty;

// What the shapes in effect at a face set look like.
struct ShapeAppearance {
    const SoMaterial* material = nullptr;  // the most recent one, null for the default
    int32_t materialBinding = 2;           // SoMaterialBinding::OVERALL
    int texture = -1;                      // glTF texture index
    bool textureHasAlpha = false;
    bool clockwise = false;                // faces wound clockwise when seen from the front
    bool doubleSided = true;
};

// Writes a face set as one glTF mesh: its polygons triangulated, one
// primitive per material entry its faces use, and only the vertices those
// triangles use. Faces with fewer than three distinct vertices or no area
// are left out.
class FaceSetMesh {
public:
    FaceSetMesh(tinygltf::Model& model, GltfBinaryBuffer& buffer, MaterialTable& materials)
        : model_(model), buffer_(buffer), materials_(materials) {}

    // The new mesh's index, or -1 when no face is left to draw.
    int write(const SoIndexedFaceSet& faceSet, const ShapeAppearance& look);

private:
    void addFace(const std::vector<int32_t>& polygon, int faceNumber);
    bool triangulate(const std::vector<int32_t>& polygon, const double normal[3],
                     std::vector<int>& triangles);
    uint32_t outputVertex(int32_t source, const double faceNormal[3]);
    uint32_t blendedVertex(const PolygonTessellator::Crossing& crossing,
                           const std::vector<uint32_t>& pointVertices);
    int materialEntry(int faceNumber) const;
    int writeMesh();
    void clear();

    tinygltf::Model& model_;
    GltfBinaryBuffer& buffer_;
    MaterialTable& materials_;
    PolygonTessellator tessellator_;

    // The face set being written.
    const SoIndexedFaceSet* faceSet_ = nullptr;
    const SoVertexProperty* vertices_ = nullptr;
    ShapeAppearance look_;
    bool hasNormals_ = false;
    bool hasTexCoords_ = false;

    // Its output, one mesh at a time.
    std::unordered_map<int32_t, uint32_t> outputOf_;
    std::vector<float> positions_, normals_, texCoords_;
    std::map<int, std::vector<uint32_t>> trianglesByMaterial_;
    std::vector<PolygonTessellator::Crossing> crossings_;
};
