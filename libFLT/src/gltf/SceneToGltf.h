#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

#include "FaceSetMesh.h"
#include "LodSets.h"
#include "MaterialTable.h"
#include "SbMatrix.h"
#include "TextureTable.h"

class SoGroup;
class SoNode;

// Turns a host scene into glTF nodes, walking it the way the host's
// bounding-box action does (an explicit stack, no recursion): what the
// action counts is what gets exported. A transform acts on the siblings after
// it; separators and levels of detail keep transforms and appearance inside,
// plain groups and switches let them out. Switches export their selected
// children. Sibling levels of detail that show one object at different
// distances form a set (see lod_sets): the finest stays in place and is what
// a plain viewer draws; the coarser ones are nodes outside the scene that
// MSFT_lod lists on it, coarse last. Siblings of the same ranges in one
// place are a set too, the one with the most geometry drawn. glTF nodes
// have one parent each, so a shared host node becomes one glTF node per
// path; its meshes are written once. An external reference's node is named
// after the file it references.
class SceneToGltf {
public:
    SceneToGltf(tinygltf::Model& model, GltfBinaryBuffer& buffer, TextureResolver& textures);

    // Adds the scene as one root node of the model; -1 when it shows nothing.
    int add(SoNode* root);
    // The texture names found nowhere, each once.
    const std::vector<std::string>& missingTextures() const { return textures_.missing(); }

private:
    struct State {
        ShapeAppearance look;
        // Transforms met so far in this group, first applied first.
        std::vector<SbMatrix> transforms;
    };
    // Levels of detail among a group's children that form a set, finest first.
    struct LodSet {
        std::vector<int> children;  // child numbers
        std::vector<int> nodes;     // their glTF nodes once opened, -1 before
        std::vector<lod_sets::LevelRole> roles;
    };
    struct LodPlace {
        int set = -1;
        int rank = -1;  // 0: the finest
    };
    struct OpenGroup {
        const SoGroup* group;
        int next;
        int end;
        bool scopes;  // keeps its state from its later siblings
        int node;     // the glTF node its children go under
        State state;
        std::vector<LodSet> lodSets;
    };
    using MeshKey = std::tuple<const SoNode*, const SoMaterial*, int32_t, int, bool, bool>;

    void visit(SoNode* node);
    void openGroup(const SoGroup* group, int first, int end, bool scopes, LodPlace lod);
    void closeGroup();
    std::vector<LodSet> lodSetsOf(const SoGroup* group, int first, int end);
    // Where the child being visited stands in its group's sets, if anywhere.
    LodPlace lodPlaceOfCurrentChild() const;
    void writeLodSet(const SoGroup* group, const LodSet& set);
    void addShape(const SoNode* faceSet);
    // A new node under the current group (detached: outside the scene, its
    // outermost node in outermost), placed by its transforms.
    int addNode(const std::string& name, int mesh, bool detached = false, int* outermost = nullptr);
    int appendNode(int parent, const std::string& name, const SbMatrix* matrix, int mesh, bool detached);

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
    int64_t tiedLodSets_ = 0;
    int64_t tieVisitsLeft_ = 0;  // for telling where sibling levels draw
    bool cutOff_ = false;
};
