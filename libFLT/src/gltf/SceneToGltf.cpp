#include "SceneToGltf.h"

#include <tiny_gltf.h>

#include <algorithm>

#include "FltWarningMessageConsole.h"
#include "GltfText.h"
#include "LodSets.h"
#include "NodeMatrix.h"
#include "Veldra.h"

namespace {

// A group's node name. The scene marks an external reference with a label
// naming the file it came from; its node takes that file's name.
std::string nodeNameOf(const SoGroup& group) {
    static const std::string kReferenceMark = "From OpenFlight File:  ";
    if (group.getNumChildren() > 0) {
        const SoNode* first = group.getChild(0);
        if (first && first->isOfType(SoLabel::getClassTypeId())) {
            const std::string label = static_cast<const SoLabel*>(first)->label.getValue().getString();
            if (label.compare(0, kReferenceMark.size(), kReferenceMark) == 0) {
                const std::string path = label.substr(kReferenceMark.size());
                const std::size_t slash = path.find_last_of("/\\");
                const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
                if (!file.empty()) return file;
            }
        }
    }
    return group.getName().getString();
}

}  // namespace

SceneToGltf::SceneToGltf(tinygltf::Model& model, GltfBinaryBuffer& buffer, TextureResolver& textures)
    : model_(model), materials_(model), textures_(model, buffer, textures),
      meshWriter_(model, buffer, materials_) {}

int SceneToGltf::add(SoNode* root) {
    if (!root) return -1;
    rootState_ = State();
    rootNode_ = -1;
    tieVisitsLeft_ = SoGetBoundingBoxAction::kMaxVisits;
    visit(root);
    while (!open_.empty()) {
        OpenGroup& top = open_.back();
        if (top.next < top.end) {
            visit(top.group->getChild(top.next++));  // may open a group: top is not used after
            continue;
        }
        closeGroup();
    }
    if (cutOff_) {
        addWarning("glTF export: the scene repeats itself too often; its export was cut short", 2, true);
    }
    if (tiedLodSets_ > 0) {
        const std::string text = "glTF export: " + std::to_string(tiedLodSets_) +
                                 " sets of levels of detail share their ranges, which cannot choose a level; "
                                 "each draws its level with the most geometry, the others are alternates";
        addWarning(text.c_str(), 1, true);
    }
    if (meshWriter_.skippedFaces() > 0) {
        const std::string text = "glTF export: " + std::to_string(meshWriter_.skippedFaces()) +
                                 " polygons with no area left out";
        addWarning(text.c_str(), 1, true);
    }
    return rootNode_;
}

void SceneToGltf::visit(SoNode* node) {
    if (!node || cutOff_) return;
    if (++visits_ > SoGetBoundingBoxAction::kMaxVisits) {
        cutOff_ = true;
        open_.clear();
        return;
    }
    State& state = open_.empty() ? rootState_ : open_.back().state;

    if (node->isOfType(SoGroup::getClassTypeId())) {
        const auto* group = static_cast<const SoGroup*>(node);
        const int count = group->getNumChildren();
        if (node->isOfType(SoSwitch::getClassTypeId())) {
            const int32_t which = static_cast<const SoSwitch*>(node)->whichChild.getValue();
            if (which == SO_SWITCH_ALL)
                openGroup(group, 0, count, false, LodPlace());
            else if (which >= 0 && which < count)
                openGroup(group, which, which + 1, false, LodPlace());
        } else {
            const bool scopes = node->isOfType(SoSeparator::getClassTypeId()) ||
                                node->isOfType(SoLOD::getClassTypeId());
            openGroup(group, 0, count, scopes, lodPlaceOfCurrentChild());
        }
    } else if (node->isOfType(SoIndexedFaceSet::getClassTypeId())) {
        addShape(node);
    } else if (node->isOfType(SoMatrixTransform::getClassTypeId())) {
        state.transforms.insert(state.transforms.begin(),
                                static_cast<const SoMatrixTransform*>(node)->matrix.getValue());
    } else if (node->isOfType(SoScale::getClassTypeId())) {
        SbMatrix scale;
        scale.setScale(static_cast<const SoScale*>(node)->scaleFactor.getValue());
        state.transforms.insert(state.transforms.begin(), scale);
    } else if (node->isOfType(SoMaterial::getClassTypeId())) {
        state.look.material = static_cast<const SoMaterial*>(node);
    } else if (node->isOfType(SoMaterialBinding::getClassTypeId())) {
        state.look.materialBinding = static_cast<const SoMaterialBinding*>(node)->value.getValue();
    } else if (node->isOfType(SoTexture2::getClassTypeId())) {
        state.look.texture =
            textures_.textureFor(static_cast<const SoTexture2*>(node)->filename.getValue().toStdString());
        state.look.textureHasAlpha = textures_.hasAlpha(state.look.texture);
    } else if (node->isOfType(SoShapeHints::getClassTypeId())) {
        const auto* hints = static_cast<const SoShapeHints*>(node);
        const int32_t ordering = hints->vertexOrdering.getValue();
        state.look.clockwise = ordering == SoShapeHints::CLOCKWISE;
        // Back faces may be culled only when the shape is closed and its winding known.
        state.look.doubleSided =
            !(hints->shapeType.getValue() == SoShapeHints::SOLID && ordering != SoShapeHints::UNKNOWN_ORDERING);
    }
}

void SceneToGltf::openGroup(const SoGroup* group, int first, int end, bool scopes, LodPlace lod) {
    if (first >= end) return;
    if (!onPath_.insert(group).second) {
        cutOff_ = true;  // the group lies below itself
        return;
    }
    const State& outer = open_.empty() ? rootState_ : open_.back().state;
    State inner;
    inner.look = outer.look;
    int outermost = -1;
    const int node = addNode(nodeNameOf(*group), -1, lod.rank > 0, &outermost);
    if (lod.set >= 0) open_.back().lodSets[lod.set].nodes[lod.rank] = outermost;
    open_.push_back({group, first, end, scopes, node, inner, lodSetsOf(group, first, end)});
}

void SceneToGltf::closeGroup() {
    OpenGroup closed = std::move(open_.back());
    open_.pop_back();
    onPath_.erase(closed.group);
    for (const LodSet& set : closed.lodSets) writeLodSet(closed.group, set);
    if (closed.scopes) return;
    // What a plain group or a switch set up stays in effect after it.
    State& outer = open_.empty() ? rootState_ : open_.back().state;
    outer.look = closed.state.look;
    outer.transforms.insert(outer.transforms.begin(), closed.state.transforms.begin(),
                            closed.state.transforms.end());
}

std::vector<SceneToGltf::LodSet> SceneToGltf::lodSetsOf(const SoGroup* group, int first, int end) {
    std::vector<int> children;
    std::vector<const SoLOD*> levels;
    for (int i = first; i < end; ++i) {
        const SoNode* child = group->getChild(i);
        if (!child || !child->isOfType(SoLOD::getClassTypeId())) continue;
        children.push_back(i);
        levels.push_back(static_cast<const SoLOD*>(child));
    }
    std::vector<LodSet> sets;
    if (levels.size() < 2) return sets;
    for (const lod_sets::LevelSet& levelSet : lod_sets::levelSets(levels, tieVisitsLeft_)) {
        const std::vector<int>& members = levelSet.members;
        if (members.size() < 2) continue;  // a lone level is simply drawn
        LodSet set;
        for (int member : members) set.children.push_back(children[member]);
        set.nodes.assign(members.size(), -1);
        set.roles = levelSet.roles;
        sets.push_back(std::move(set));
    }
    return sets;
}

SceneToGltf::LodPlace SceneToGltf::lodPlaceOfCurrentChild() const {
    if (open_.empty()) return LodPlace();
    const OpenGroup& parent = open_.back();
    for (std::size_t set = 0; set < parent.lodSets.size(); ++set) {
        const auto& children = parent.lodSets[set].children;
        const auto found = std::find(children.begin(), children.end(), parent.next - 1);
        if (found != children.end())
            return {static_cast<int>(set), static_cast<int>(found - children.begin())};
    }
    return LodPlace();
}

void SceneToGltf::writeLodSet(const SoGroup* group, const LodSet& set) {
    if (set.nodes.empty() || set.nodes[0] < 0) return;
    std::vector<const SoLOD*> levels;
    std::vector<lod_sets::LevelRole> roles;
    tinygltf::Value::Array ids;
    for (std::size_t rank = 0; rank < set.nodes.size(); ++rank) {
        if (set.nodes[rank] < 0) continue;  // cut off before it was reached
        levels.push_back(static_cast<const SoLOD*>(group->getChild(set.children[rank])));
        roles.push_back(set.roles[rank]);
        if (rank > 0) ids.emplace_back(set.nodes[rank]);
    }
    if (ids.empty()) return;
    tinygltf::Value::Array coverage;
    for (double c : lod_sets::screenCoverages(levels, roles)) coverage.emplace_back(c);
    tiedLodSets_ += std::count(roles.begin(), roles.end(), lod_sets::LevelRole::Chosen);
    tinygltf::Node& finest = model_.nodes[set.nodes[0]];
    finest.extensions["MSFT_lod"] = tinygltf::Value(tinygltf::Value::Object{{"ids", tinygltf::Value(ids)}});
    finest.extras = tinygltf::Value(tinygltf::Value::Object{{"MSFT_screencoverage", tinygltf::Value(coverage)}});
    if (std::find(model_.extensionsUsed.begin(), model_.extensionsUsed.end(), "MSFT_lod") ==
        model_.extensionsUsed.end())
        model_.extensionsUsed.push_back("MSFT_lod");
}

void SceneToGltf::addShape(const SoNode* faceSet) {
    const State& state = open_.empty() ? rootState_ : open_.back().state;
    const ShapeAppearance& look = state.look;
    const MeshKey key{faceSet, look.material, look.materialBinding, look.texture, look.clockwise,
                      look.doubleSided};
    auto found = meshes_.find(key);
    if (found == meshes_.end())
        found = meshes_.emplace(key, meshWriter_.write(*static_cast<const SoIndexedFaceSet*>(faceSet), look)).first;
    if (found->second >= 0) addNode(faceSet->getName().getString(), found->second);
}

int SceneToGltf::addNode(const std::string& name, int mesh, bool detached, int* outermost) {
    const State& state = open_.empty() ? rootState_ : open_.back().state;
    int parent = open_.empty() ? rootNode_ : open_.back().node;
    SbMatrix product;
    for (const SbMatrix& m : state.transforms) product.multRight(m);
    if (node_matrix::isTrs(product)) {
        const int node = appendNode(parent, name, &product, mesh, detached);
        if (outermost) *outermost = node;
        return node;
    }
    // glTF takes no shear in one node: a chain of nodes, one a transform, carries it.
    for (std::size_t i = state.transforms.size(); i-- > 1;) {
        parent = appendNode(parent, "", &state.transforms[i], -1, detached);
        if (outermost && *outermost < 0) *outermost = parent;
        detached = false;  // the rest of the chain hangs below its first node
    }
    const int node = appendNode(parent, name, state.transforms.empty() ? nullptr : &state.transforms[0], mesh, detached);
    if (outermost && *outermost < 0) *outermost = node;
    return node;
}

int SceneToGltf::appendNode(int parent, const std::string& name, const SbMatrix* matrix, int mesh, bool detached) {
    tinygltf::Node node;
    node.name = gltfText(name);
    node.mesh = mesh;
    if (matrix && node_matrix::isFinite(*matrix) && !node_matrix::isIdentity(*matrix))
        node.matrix = node_matrix::toGltf(*matrix);
    model_.nodes.push_back(std::move(node));
    const int index = static_cast<int>(model_.nodes.size()) - 1;
    if (detached) return index;
    if (parent >= 0)
        model_.nodes[parent].children.push_back(index);
    else
        rootNode_ = index;
    return index;
}
