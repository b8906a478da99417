#pragma once

#include <map>
#include <tuple>

class SoMaterial;
namespace tinygltf {
class Model;
}

// The model's materials: metallic-roughness approximations of the host's
// classic materials, each distinct one written once.
class MaterialTable {
public:
    explicit MaterialTable(tinygltf::Model& model) : model_(model) {}

    // Entry `index` of the material node (null: the host's default material),
    // textured with `texture` unless it is -1; a texture with alpha cuts
    // its transparent parts out. Single-sided materials cull back faces.
    int materialFor(const SoMaterial* material, int index, int texture, bool cutOut, bool doubleSided);

private:
    struct Look {
        float base[4];
        float emissive[3];
        float roughness;
        int texture;
        bool cutOut;
        bool doubleSided;
        bool operator<(const Look& o) const;
    };

    static Look lookOf(const SoMaterial* material, int index, int texture, bool cutOut, bool doubleSided);
    int add(const Look& look);

    tinygltf::Model& model_;
    std::map<Look, int> byLook_;
};
