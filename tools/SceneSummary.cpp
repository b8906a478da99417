#include "SceneSummary.h"

#include <unordered_set>
#include <vector>

#include "Veldra.h"

namespace {

void countFaces(const SoIndexedFaceSet& faceSet, SceneSummary& summary)
{
    const SoMFInt32& indices = faceSet.coordIndex;
    bool faceOpen = false;
    for (int i = 0; i < indices.getNum(); ++i) {
        if (indices[i] < 0) {
            if (faceOpen)
                ++summary.faces;
            faceOpen = false;
        } else {
            ++summary.vertices;
            faceOpen = true;
        }
    }
    if (faceOpen)
        ++summary.faces;
}

} // namespace

SceneSummary summarizeScene(SoNode* root)
{
    SceneSummary summary;
    if (!root)
        return summary;

    // An explicit stack: scenes can be deeper than the call stack likes.
    std::unordered_set<const SoNode*> seen;
    std::vector<SoNode*> pending{root};
    while (!pending.empty()) {
        SoNode* node = pending.back();
        pending.pop_back();
        if (!node || !seen.insert(node).second)
            continue;
        ++summary.nodesByType[node->getTypeId().getName().getString()];
        if (node->isOfType(SoIndexedFaceSet::getClassTypeId()))
            countFaces(*static_cast<SoIndexedFaceSet*>(node), summary);
        for (int i = 0; i < node->getNumFields(); ++i)
            if (const SoSFNode* field = dynamic_cast<const SoSFNode*>(node->getField(i)))
                pending.push_back(field->getValue());
        if (node->isOfType(SoGroup::getClassTypeId())) {
            const SoGroup* group = static_cast<const SoGroup*>(node);
            for (int i = group->getNumChildren() - 1; i >= 0; --i)
                pending.push_back(group->getChild(i));
        }
    }

    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(root);
    summary.boundingBox = action.getBoundingBox();
    return summary;
}
