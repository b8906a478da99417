#include "FaceSetMesh.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>

#include "ColorSpace.h"
#include "GltfAccessors.h"
#include "GltfText.h"
#include "SoBindingNodes.h"
#include "SoIndexedFaceSet.h"
#include "SoVertexProperty.h"

namespace {

bool isFinite(const SbVec3f& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Twice the area vector of the polygon (Newell's method): its direction is
// the normal the winding gives, its length zero for a polygon with no area.
void newellNormal(const std::vector<double>& outline, double normal[3]) {
    normal[0] = normal[1] = normal[2] = 0.0;
    const std::size_t n = outline.size() / 3;
    for (std::size_t i = 0; i < n; ++i) {
        const double* a = &outline[3 * i];
        const double* b = &outline[3 * ((i + 1) % n)];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
}

double lengthOf(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// Whether the triangle abc has an area worth drawing next to its size.
bool hasArea(const float* a, const float* b, const float* c) {
    const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const double cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                             u[0] * v[1] - u[1] * v[0]};
    const double scale = std::max(u[0] * u[0] + u[1] * u[1] + u[2] * u[2],
                                  v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return lengthOf(cross) > 1e-9 * scale;
}

}  // namespace

int FaceSetMesh::write(const SoIndexedFaceSet& faceSet, const ShapeAppearance& look) {
    const SoNode* held = faceSet.vertexProperty.getValue();
    if (!held || !held->isOfType(SoVertexProperty::getClassTypeId())) return -1;
    clear();
    faceSet_ = &faceSet;
    vertices_ = static_cast<const SoVertexProperty*>(held);
    look_ = look;
    const int count = vertices_->vertex.getNum();
    hasNormals_ = count > 0 && vertices_->normal.getNum() >= count;
    hasTexCoords_ = count > 0 && vertices_->texCoord.getNum() >= count;

    // Runs of indices ended by -1; bad indices drop out of their face.
    std::vector<int32_t> polygon;
    std::size_t corners = 0;  // in the file, bad indices included
    bool faceOpen = false;
    int faceNumber = 0;
    const SoMFInt32& indices = faceSet.coordIndex;
    for (int i = 0; i <= indices.getNum(); ++i) {
        const int32_t index = i < indices.getNum() ? indices[i] : -1;
        if (index >= 0) {
            faceOpen = true;
            ++corners;
            if (index < count && isFinite(vertices_->vertex[index])) polygon.push_back(index);
            continue;
        }
        if (faceOpen && !addFace(polygon, corners, faceNumber++)) ++skippedFaces_;
        polygon.clear();
        corners = 0;
        faceOpen = false;
    }
    const int mesh = writeMesh();
    clear();
    return mesh;
}

bool FaceSetMesh::addFace(const std::vector<int32_t>& polygon, std::size_t corners, int faceNumber) {
    // Repeated points (the same index or the same place) add nothing to the outline.
    std::vector<int32_t> distinct;
    for (int32_t index : polygon) {
        if (!distinct.empty() &&
            (distinct.back() == index || vertices_->vertex[distinct.back()] == vertices_->vertex[index]))
            continue;
        distinct.push_back(index);
    }
    while (distinct.size() > 1 && vertices_->vertex[distinct.front()] == vertices_->vertex[distinct.back()])
        distinct.pop_back();

    const uint8_t style = faceNumber < static_cast<int>(faceSet_->faceStyles.size()) ? faceSet_->faceStyles[faceNumber] : 0;
    if (corners < 3 || (style & (SoIndexedFaceSet::OUTLINE_CLOSED | SoIndexedFaceSet::OUTLINE_OPEN))) {
        // A line or a point is no polygon left out; one that lost a corner to a bad index is not drawn.
        if (polygon.size() == corners) addLinesOrPoint(distinct, faceNumber, style);
        return true;
    }
    if (distinct.size() < 3) return false;

    std::vector<double> outline;
    outline.reserve(distinct.size() * 3);
    for (int32_t index : distinct)
        for (int c = 0; c < 3; ++c) outline.push_back(vertices_->vertex[index][c]);
    double normal[3];
    newellNormal(outline, normal);
    const double area = lengthOf(normal);
    if (!(area > 0.0)) return false;
    for (double& c : normal) c /= area;

    std::vector<int> triangles;
    if (distinct.size() == 3) {
        triangles = {0, 1, 2};
        crossings_.clear();
    } else if (!tessellator_.tessellate(outline, normal, triangles, crossings_)) {
        return false;
    }

    const FaceTarget target = targetFor(faceNumber, style, TINYGLTF_MODE_TRIANGLES);
    Primitive& out = *target.out;
    std::vector<uint32_t> pointVertices;
    for (int32_t index : distinct) {
        float color[3] = {target.color[0], target.color[1], target.color[2]};
        if (target.byVertex) vertexColor(index, color);
        pointVertices.push_back(outputVertex(out, target.colorSlot, index, normal, color));
    }
    for (const auto& crossing : crossings_)
        pointVertices.push_back(blendedVertex(out, crossing, pointVertices, target.color));

    const std::size_t before = out.indices.size();
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        uint32_t corner[3] = {pointVertices[triangles[t]], pointVertices[triangles[t + 1]],
                              pointVertices[triangles[t + 2]]};
        const float* p = out.positions.data();
        if (!hasArea(p + 3 * corner[0], p + 3 * corner[1], p + 3 * corner[2])) continue;
        if (look_.clockwise) std::swap(corner[1], corner[2]);  // glTF fronts wind counterclockwise
        out.indices.insert(out.indices.end(), corner, corner + 3);
    }
    return out.indices.size() > before;
}

void FaceSetMesh::addLinesOrPoint(const std::vector<int32_t>& distinct, int faceNumber, uint8_t style) {
    if (distinct.empty()) return;
    // A line whose ends meet is a point.
    const int mode = distinct.size() == 1 ? TINYGLTF_MODE_POINTS : TINYGLTF_MODE_LINE;
    const FaceTarget target = targetFor(faceNumber, style, mode);
    Primitive& out = *target.out;
    static const double kNoNormal[3] = {0.0, 0.0, 1.0};  // lines and points have no face to take one from
    std::vector<uint32_t> chain;
    for (int32_t index : distinct) {
        float color[3] = {target.color[0], target.color[1], target.color[2]};
        if (target.byVertex) vertexColor(index, color);
        chain.push_back(outputVertex(out, target.colorSlot, index, kNoNormal, color));
    }
    ++out.faces;
    if (mode == TINYGLTF_MODE_POINTS) {
        out.indices.push_back(chain[0]);
        return;
    }
    // Lines and outlines of two points are one segment; an open outline leaves its last side out.
    const bool closed = chain.size() > 2 && !(style & SoIndexedFaceSet::OUTLINE_OPEN);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) out.indices.insert(out.indices.end(), {chain[i], chain[i + 1]});
    if (closed) out.indices.insert(out.indices.end(), {chain.back(), chain.front()});
    if (out.faces == 1 && chain.size() > 2) {
        out.outlineMode = closed ? TINYGLTF_MODE_LINE_LOOP : TINYGLTF_MODE_LINE_STRIP;
        out.outline = std::move(chain);
    }
}

FaceSetMesh::FaceTarget FaceSetMesh::targetFor(int faceNumber, uint8_t style, int mode) {
    const int texture = hasTexCoords_ ? look_.texture : -1;
    FaceLook look = MaterialTable::lookOf(look_.material, materialEntry(faceNumber), texture,
                                          texture >= 0 && look_.textureHasAlpha,
                                          look_.doubleSided || (style & SoIndexedFaceSet::TWO_SIDED));
    look.unlit = (style & SoIndexedFaceSet::UNLIT) != 0;
    // What the records say of the face, when the converter kept it: an unlit
    // face shows its own color whatever its material, and its opacity
    // combines face, object and material.
    if (look.unlit && faceNumber < static_cast<int>(faceSet_->faceColors.size())) {
        const uint32_t rgb = faceSet_->faceColors[faceNumber];
        for (int c = 0; c < 3; ++c) look.base[c] = color_space::srgbByteToLinear(rgb >> (24 - 8 * c) & 0xFFu);
    }
    if (faceNumber < static_cast<int>(faceSet_->faceOpacities.size())) {
        const float opacity = faceSet_->faceOpacities[faceNumber];
        look.base[3] = std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 1.0f;
    }
    FaceTarget target{&primitiveFor(mode, look), kVertexColorSlot, false, {look.base[0], look.base[1], look.base[2]}};
    Primitive& out = *target.out;
    target.byVertex = (style & SoIndexedFaceSet::VERTEX_COLORS) && !vertices_->vertexColors.empty();
    if (!target.byVertex) {
        const auto known = out.colorSlots.emplace(std::array<float, 3>{look.base[0], look.base[1], look.base[2]},
                                                  static_cast<uint32_t>(out.colorSlots.size()));
        target.colorSlot = known.first->second;
    }
    out.mixedColors = out.mixedColors || target.byVertex || target.colorSlot > 0;
    return target;
}

FaceSetMesh::Primitive& FaceSetMesh::primitiveFor(int mode, const FaceLook& look) {
    FaceLook key = look;
    key.base[0] = key.base[1] = key.base[2] = 0.0f;
    const auto known = primitiveOf_.emplace(std::make_pair(mode, key), primitives_.size());
    if (known.second) {
        primitives_.emplace_back();
        primitives_.back().mode = mode;
        primitives_.back().look = look;
    }
    return primitives_[known.first->second];
}

uint32_t FaceSetMesh::outputVertex(Primitive& out, uint32_t colorSlot, int32_t source, const double faceNormal[3],
                                   const float color[3]) {
    const uint64_t key = uint64_t(colorSlot) << 32 | uint32_t(source);
    const uint32_t added = static_cast<uint32_t>(out.positions.size() / 3);
    const auto known = out.outputOf.emplace(key, added);
    if (!known.second) return known.first->second;

    const SbVec3f& position = vertices_->vertex[source];
    out.positions.insert(out.positions.end(), {position[0], position[1], position[2]});
    out.colors.insert(out.colors.end(), color, color + 3);
    if (hasNormals_) {
        SbVec3f normal = vertices_->normal[source];
        // glTF wants unit normals; a missing one takes the face's.
        if (!isFinite(normal) || normal.normalize() == 0.0f)
            normal.setValue(float(faceNormal[0]), float(faceNormal[1]), float(faceNormal[2]));
        out.normals.insert(out.normals.end(), {normal[0], normal[1], normal[2]});
    }
    if (hasTexCoords_) {
        const SbVec2f& uv = vertices_->texCoord[source];
        // Image rows run top-down in glTF, bottom-up in the host.
        out.texCoords.insert(out.texCoords.end(), {std::isfinite(uv[0]) ? uv[0] : 0.0f,
                                                   std::isfinite(uv[1]) ? 1.0f - uv[1] : 0.0f});
    }
    return added;
}

uint32_t FaceSetMesh::blendedVertex(Primitive& out, const PolygonTessellator::Crossing& crossing,
                                    const std::vector<uint32_t>& pointVertices, const float color[3]) {
    float position[3] = {}, normal[3] = {}, uv[2] = {};
    for (int k = 0; k < 4; ++k) {
        if (crossing.from[k] < 0) continue;
        const uint32_t from = pointVertices[crossing.from[k]];
        const float w = crossing.weight[k];
        for (int c = 0; c < 3; ++c) position[c] += w * out.positions[3 * from + c];
        if (hasNormals_)
            for (int c = 0; c < 3; ++c) normal[c] += w * out.normals[3 * from + c];
        if (hasTexCoords_)
            for (int c = 0; c < 2; ++c) uv[c] += w * out.texCoords[2 * from + c];
    }
    const uint32_t added = static_cast<uint32_t>(out.positions.size() / 3);
    out.positions.insert(out.positions.end(), position, position + 3);
    out.colors.insert(out.colors.end(), color, color + 3);
    if (hasNormals_) {
        SbVec3f blended(normal[0], normal[1], normal[2]);
        if (blended.normalize() == 0.0f) {  // opposite normals cancelled out: take the first one's
            const float* first = &out.normals[3 * pointVertices[0]];
            blended.setValue(first[0], first[1], first[2]);
        }
        out.normals.insert(out.normals.end(), {blended[0], blended[1], blended[2]});
    }
    if (hasTexCoords_) out.texCoords.insert(out.texCoords.end(), uv, uv + 2);
    return added;
}

void FaceSetMesh::vertexColor(int32_t source, float color[3]) const {
    // Vertices past the colors known keep the face's color.
    if (source < 0 || static_cast<std::size_t>(source) >= vertices_->vertexColors.size()) return;
    const uint32_t rgba = vertices_->vertexColors[source];
    for (int c = 0; c < 3; ++c) color[c] = color_space::srgbByteToLinear(rgba >> (24 - 8 * c) & 0xFFu);
}

int FaceSetMesh::materialEntry(int faceNumber) const {
    using Binding = SoMaterialBinding::Binding;
    int entry = 0;
    switch (look_.materialBinding) {
    case Binding::PER_PART:
    case Binding::PER_FACE:
        entry = faceNumber;
        break;
    case Binding::PER_PART_INDEXED:
    case Binding::PER_FACE_INDEXED: {
        const SoMFInt32& indices = faceSet_->materialIndex;
        if (indices.getNum() > 0) entry = indices[std::min(faceNumber, indices.getNum() - 1)];
        break;
    }
    default:  // overall, and per-vertex bindings, which a face set of faces does not use
        break;
    }
    return std::max(entry, 0);
}

int FaceSetMesh::writeMesh() {
    tinygltf::Mesh mesh;
    mesh.name = gltfText(faceSet_->getName().getString());
    for (Primitive& out : primitives_) {
        if (out.indices.empty()) continue;
        tinygltf::Primitive primitive;
        primitive.mode = out.mode;
        if (out.faces == 1 && out.outlineMode >= 0) {
            primitive.mode = out.outlineMode;
            out.indices = out.outline;
        }
        primitive.attributes["POSITION"] = gltf_accessors::addVec3(model_, buffer_, out.positions, true);
        if (hasNormals_) primitive.attributes["NORMAL"] = gltf_accessors::addVec3(model_, buffer_, out.normals, false);
        if (hasTexCoords_) primitive.attributes["TEXCOORD_0"] = gltf_accessors::addVec2(model_, buffer_, out.texCoords);
        FaceLook look = out.look;
        if (out.mixedColors) {
            // The faces' diffuse colors come per vertex; the material only scales them by one.
            primitive.attributes["COLOR_0"] = gltf_accessors::addVec3(model_, buffer_, out.colors, false);
            look.base[0] = look.base[1] = look.base[2] = 1.0f;
        }
        primitive.indices = gltf_accessors::addIndices(model_, buffer_, out.indices,
                                                       static_cast<uint32_t>(out.positions.size() / 3));
        primitive.material = materials_.materialFor(look);
        mesh.primitives.push_back(std::move(primitive));
    }
    if (mesh.primitives.empty()) return -1;
    model_.meshes.push_back(std::move(mesh));
    return static_cast<int>(model_.meshes.size()) - 1;
}

void FaceSetMesh::clear() {
    primitives_.clear();
    primitiveOf_.clear();
    crossings_.clear();
    faceSet_ = nullptr;
    vertices_ = nullptr;
}
