#pragma once

#include <map>

class SoMaterial;
namespace tinygltf {
class Model;
}

// What one face looks like in glTF terms: a metallic-roughness
// approximation of the host's classic material entry, with its texture and
// how it is drawn.
struct FaceLook {
    float base[4];  // diffuse color (linear) and opacity
    float emissive[3];
    float roughness;
    int texture;  // glTF texture index, -1 for none
    bool cutOut;  // the texture's alpha cuts holes (MASK) rather than blending
    bool doubleSided;
    bool unlit;  // KHR_materials_unlit: the color as it is, without lighting
    bool operator<(const FaceLook& o) const;
    bool operator==(const FaceLook& o) const { return !(*this < o) && !(o < *this); }
};

// The model's materials, each distinct look written once.
class MaterialTable {
public:
    explicit MaterialTable(tinygltf::Model& model) : model_(model) {}

    // Entry `index` of the material node (null: the host's default material),
    // its display colors made linear,
    // textured with `texture` unless it is -1; a texture with alpha cuts
    // its transparent parts out. Single-sided materials cull back faces.
    static FaceLook lookOf(const SoMaterial* material, int index, int texture, bool cutOut, bool doubleSided);

    int materialFor(const FaceLook& look);

private:
    int add(const FaceLook& look);

    tinygltf::Model& model_;
    std::map<FaceLook, int> byLook_;
};
