#pragma once

#include <array>
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

// Writes a face set as one glTF mesh with its polygons triangulated. Faces
// that look alike share one primitive: when they differ only in their
// diffuse color, that color goes into COLOR_0 rather than into materials of
// their own, so a mesh draws once per kind of surface (plain, textured,
// transparent, unlit, ...) however many colors its faces have. Faces colored
// by vertex put their vertices' colors in COLOR_0 too. Each primitive holds
// only the vertices its triangles use. Faces with fewer than three distinct
// vertices or no area are left out.
class FaceSetMesh {
public:
    FaceSetMesh(tinygltf::Model& model, GltfBinaryBuffer& buffer, MaterialTable& materials)
        : model_(model), buffer_(buffer), materials_(materials) {}

    // The new mesh's index, or -1 when no face is left to draw.
    int write(const SoIndexedFaceSet& faceSet, const ShapeAppearance& look);
    // Faces left out so far: too few distinct points, or no area.
    int64_t skippedFaces() const { return skippedFaces_; }

private:
    // The faces of one primitive and the vertices they use.
    struct Primitive {
        FaceLook look;  // with the diffuse color of its first face
        bool mixedColors = false;
        std::map<std::array<float, 3>, uint32_t> colorSlots;
        std::unordered_map<uint64_t, uint32_t> outputOf;  // (color slot, source vertex) to output vertex
        std::vector<float> positions, normals, texCoords, colors;
        std::vector<uint32_t> triangles;
    };

    // The color slot of faces colored by their vertices.
    static constexpr uint32_t kVertexColorSlot = 0x7FFFFFFF;

    // False when the face gives no triangle.
    bool addFace(const std::vector<int32_t>& polygon, int faceNumber);
    void vertexColor(int32_t source, float color[3]) const;
    Primitive& primitiveFor(const FaceLook& look);
    uint32_t outputVertex(Primitive& out, uint32_t colorSlot, int32_t source, const double faceNormal[3],
                          const float color[3]);
    uint32_t blendedVertex(Primitive& out, const PolygonTessellator::Crossing& crossing,
                           const std::vector<uint32_t>& pointVertices, const float color[3]);
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

    // Its output, one mesh at a time: primitives in the order their first face came.
    std::vector<Primitive> primitives_;
    std::map<FaceLook, std::size_t> primitiveOf_;  // keyed by the look without its diffuse color
    std::vector<PolygonTessellator::Crossing> crossings_;
    int64_t skippedFaces_ = 0;
};
