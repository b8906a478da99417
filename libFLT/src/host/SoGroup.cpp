#include "SoGroup.h"

#include <algorithm>
#include <cassert>

#include "SoGetBoundingBoxAction.h"

SoGroup::~SoGroup() { removeAllChildren(); }

void SoGroup::addChild(SoNode* child) { insertChild(child, getNumChildren()); }

void SoGroup::insertChild(SoNode* child, int newChildIndex) {
    assert(child && "a group cannot hold a null child");
    if (!child) return;
    child->ref();
    const int index = std::clamp(newChildIndex, 0, getNumChildren());
    children_.insert(children_.begin() + index, child);
}

void SoGroup::removeChild(int index) {
    if (index < 0 || index >= getNumChildren()) return;
    SoNode* child = children_[index];
    children_.erase(children_.begin() + index);
    child->unref();  // last: the child may be deleted here
}

void SoGroup::removeChild(SoNode* child) { removeChild(findChild(child)); }

void SoGroup::removeAllChildren() {
    std::vector<SoNode*> released;
    released.swap(children_);
    for (SoNode* child : released) child->unref();
}

SoNode* SoGroup::getChild(int index) const {
    return (index >= 0 && index < getNumChildren()) ? children_[index] : nullptr;
}

int SoGroup::findChild(const SoNode* child) const {
    const auto found = std::find(children_.begin(), children_.end(), child);
    return found == children_.end() ? -1 : static_cast<int>(found - children_.begin());
}

void SoGroup::getBoundingBox(SoGetBoundingBoxAction* action) {
    action->traverseChildren(this, 0, getNumChildren(), false);
}

void SoSeparator::getBoundingBox(SoGetBoundingBoxAction* action) {
    action->traverseChildren(this, 0, getNumChildren(), true);
}

void SoSwitch::getBoundingBox(SoGetBoundingBoxAction* action) {
    const int32_t which = whichChild.getValue();
    if (which == SO_SWITCH_ALL)
        SoGroup::getBoundingBox(action);
    else if (which >= 0 && which < getNumChildren())  // NONE and bad indices select nothing
        action->traverseChildren(this, which, which + 1, false);
}

void SoLOD::getBoundingBox(SoGetBoundingBoxAction* action) {
    action->traverseChildren(this, 0, getNumChildren(), true);
}
