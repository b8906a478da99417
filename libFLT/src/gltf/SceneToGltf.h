#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

#include "FaceSetMesh.h"
#include "MaterialTable.h"
#include "SbMatrix.h"
#include "TextureTable.h"

class SoGroup;
class SoLOD;
class SoNode;

// Turns a host scene into glTF nodes, walking it the way the host's
// bounding-box action does (an explicit stack, no recursion): what the
// action counts is what gets exported. A transform acts on the siblings after
// it; separators and levels of detail keep transforms and appearance inside,
// plain groups and switches let them out. Switches export their selected
// children, levels of detail all their children (a level's content sits
// between two labels). glTF nodes have one parent each, so a shared host
// node becomes one glTF node per path; its meshes are written once.
class SceneToGltf {
public:
    SceneToGltf(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::string& textureDir);

    // Adds the scene as one root node of the model; -1 when it shows nothing.
    int add(SoNode* root);

private:
    struct State {
        ShapeAppearance look;
        // Transforms met so far in this group, first applied first.
        std::vector<SbMatrix> transforms;
    };
    struct OpenGroup {
        const SoGroup* group;
        int next;
        int end;
        bool scopes;  // keeps its state from its later siblings
        int node;     // the glTF node its children go under
        State state;
    };
    using MeshKey = std::tuple<const SoNode*, const SoMaterial*, int32_t, int, bool, bool>;

    void visit(SoNode* node);
    void openGroup(const SoGroup* group, int first, int end, bool scopes);
    void markLevelOfDetail(const SoLOD& lod, int node);
    void closeGroup();
    void addShape(const SoNode* faceSet);
    // A new node under the current group, placed by its transforms.
    int addNode(const std::string& name, int mesh);
    int appendNode(int parent, const std::string& name, const SbMatrix* matrix, int mesh);

    tinygltf::Model& model_;
    MaterialTable materials_;
    TextureTable textures_;
    FaceSetMesh meshWriter_;
    std::map<MeshKey, int> meshes_;
    std::vector<OpenGroup> open_;
    std::unordered_set<const SoGroup*> onPath_;
    State rootState_;
    int rootNode_ = -1;
    int64_t visits_ = 0;
    bool cutOff_ = false;
};
