#pragma once

#include <cstdint>
#include <vector>

#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Ordered children. The group holds a reference to each child, so a node can
// live under several parents and goes away with the last of them. For bounds
// a group only tells the action which children to visit; it never recurses.
class SoGroup : public SoSubNode<SoGroup, SoNode> {
public:
    static constexpr const char* kClassName = "SoGroup";

    SoGroup() = default;

    void addChild(SoNode* child);
    // An index past the end appends.
    void insertChild(SoNode* child, int newChildIndex);
    void removeChild(int index);
    void removeChild(SoNode* child);  // its first occurrence
    void removeAllChildren();

    int getNumChildren() const { return static_cast<int>(children_.size()); }
    SoNode* getChild(int index) const;  // nullptr when out of range
    int findChild(const SoNode* child) const;  // -1 when absent

    void getBoundingBox(SoGetBoundingBoxAction* action) override;

protected:
    ~SoGroup() override;

private:
    std::vector<SoNode*> children_;
};

// A group whose transforms do not leak out to what follows it.
class SoSeparator : public SoSubNode<SoSeparator, SoGroup> {
public:
    static constexpr const char* kClassName = "SoSeparator";

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};

constexpr int32_t SO_SWITCH_NONE = -1;
constexpr int32_t SO_SWITCH_ALL = -3;

// Traverses only the child selected by whichChild (or none, or all). Like a
// plain group it does not scope transforms.
class SoSwitch : public SoSubNode<SoSwitch, SoGroup> {
public:
    static constexpr const char* kClassName = "SoSwitch";

    SoSFInt32 whichChild;

    SoSwitch() { addField("whichChild", whichChild, SO_SWITCH_NONE); }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};

// Levels of detail: child i is meant for viewing distances below range[i].
// Bounds cover all levels, and like a separator it scopes transforms.
class SoLOD : public SoSubNode<SoLOD, SoGroup> {
public:
    static constexpr const char* kClassName = "SoLOD";

    SoSFVec3f center;
    SoMFFloat range;

    SoLOD() {
        addField("center", center);
        addField("range", range);
    }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};
