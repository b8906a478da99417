#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <utility>
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
// only the vertices it uses. Faces of two vertices are lines, of one vertex
// points, and faces drawn as outlines line loops or strips: lines of one look
// share one LINES primitive (a lone outline keeps its loop or strip), points
// one POINTS primitive. Polygons with no area are left out. Colors are
// written linear, as glTF has them.
class FaceSetMesh {
public:
    FaceSetMesh(tinygltf::Model& model, GltfBinaryBuffer& buffer, MaterialTable& materials)
        : model_(model), buffer_(buffer), materials_(materials) {}

    // The new mesh's index, or -1 when no face is left to draw.
    int write(const SoIndexedFaceSet& faceSet, const ShapeAppearance& look);
    // Polygons left out so far: they have no area.
    int64_t skippedFaces() const { return skippedFaces_; }

private:
    // The faces of one primitive and the vertices they use.
    struct Primitive {
        int mode = 4;   // glTF mode: TRIANGLES, LINES or POINTS
        FaceLook look;  // with the diffuse color of its first face
        bool mixedColors = false;
        std::map<std::array<float, 3>, uint32_t> colorSlots;
        std::unordered_map<uint64_t, uint32_t> outputOf;  // (color slot, source vertex) to output vertex
        std::vector<float> positions, normals, texCoords, colors;
        std::vector<uint32_t> indices;  // by three, two or one as the mode draws
        int faces = 0;
        // The first outline's vertices and mode: a primitive of that one
        // outline is written as its loop or strip.
        int outlineMode = -1;
        std::vector<uint32_t> outline;
    };
    // Where a face's vertices go and the color they take.
    struct FaceTarget {
        Primitive* out;
        uint32_t colorSlot;
        bool byVertex;
        float color[3];
    };

    // The color slot of faces colored by their vertices.
    static constexpr uint32_t kVertexColorSlot = 0x7FFFFFFF;

    // False when a polygon gives no triangle. `corners`: the face's indices,
    // bad ones included, which tell a polygon from a line or a point.
    bool addFace(const std::vector<int32_t>& polygon, std::size_t corners, int faceNumber);
    void addLinesOrPoint(const std::vector<int32_t>& distinct, int faceNumber, uint8_t style);
    FaceTarget targetFor(int faceNumber, uint8_t style, int mode);
    void vertexColor(int32_t source, float color[3]) const;
    Primitive& primitiveFor(int mode, const FaceLook& look);
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
    // Keyed by mode and the look without its diffuse color.
    std::map<std::pair<int, FaceLook>, std::size_t> primitiveOf_;
    std::vector<PolygonTessellator::Crossing> crossings_;
    int64_t skippedFaces_ = 0;
};
