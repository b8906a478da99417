// Hangs a new node under the open level. Below a switch (a separator whose
// name holds "flt_switch") every child gets an SoSwitch of its own that shows
// or hides it as the switch's current mask says.

#include <cstring>
#include <limits>
#include <string>

#include "FltToVeldra.h"
#include "FltWarningMessageConsole.h"

namespace {

// The numbers of a switch's information text, in order: current mask, -1,
// words per mask, -1, number of masks, -1, then one entry per mask bit.
std::vector<int64_t> readMaskList(const char* text)
{
    constexpr int64_t cap = std::numeric_limits<int64_t>::max() / 10 - 10;
    std::vector<int64_t> list;
    int numbersRead = 0;
    for (const char* c = text; *c;) {
        if (*c >= '0' && *c <= '9') {
            int64_t number = 0;
            for (; *c >= '0' && *c <= '9'; ++c)
                number = number < cap ? number * 10 + (*c - '0') : cap; // saturates
            list.push_back(number);
            ++numbersRead;
            continue;
        }
        if (!list.empty() && numbersRead < 4 && list.back() != -1)
            list.push_back(-1);
        ++c;
    }
    return list;
}

// Whether child c of a switch is shown: bit c of the current mask, whose
// words are taken last word first. A child past the mask's bits, or a mask
// the switch does not have, is hidden.
bool maskShows(const std::vector<int64_t>& list, int64_t c)
{
    if (list.size() < 6)
        return false;
    const int64_t currentMask = list[0];
    const int64_t wordsPerMask = list[2];
    const int64_t masks = list[4];
    const int64_t bitsPerMask = wordsPerMask * 32; // saturated entries keep this finite
    if (wordsPerMask <= 0 || wordsPerMask > std::numeric_limits<int32_t>::max() || currentMask >= masks ||
        c >= bitsPerMask)
        return false;
    const int64_t available = static_cast<int64_t>(list.size());
    if (currentMask > available / bitsPerMask)
        return false;
    const int64_t entry = currentMask * bitsPerMask + (bitsPerMask - c) + 5;
    return entry < available && list[static_cast<std::size_t>(entry)] == 1;
}

} // namespace

void FltToVeldra::attachNode(SoNode* node)
{
    if (groupStack.empty()) {
        keepDetached(node); // outside the scene, but freed with the converter
        return;
    }
    SoGroup* parent = groupStack.back();
    const SbName parentName = parent->getName();
    if (!std::strstr(parentName.getString(), "flt_switch")) {
        parent->addChild(node);
        return;
    }
    SoSwitch* wrapper = new SoSwitch;
    wrapper->setName(SbName((std::string("child_of_") + parentName.getString()).c_str()));
    wrapper->whichChild.setValue(switchChildShown(parent) ? SO_SWITCH_ALL : SO_SWITCH_NONE);
    wrapper->addChild(node);
    parent->addChild(wrapper);
}

bool FltToVeldra::switchChildShown(SoGroup* parent)
{
    SwitchState& state = switchStates[parent];
    // Children are only ever appended: count the new ones since the last call.
    for (; state.childrenCounted < parent->getNumChildren(); ++state.childrenCounted)
        if (parent->getChild(state.childrenCounted)->getTypeId() == SoSwitch::getClassTypeId())
            ++state.switchChildren;
    if (!state.masksRead) {
        state.masksRead = true;
        for (int i = 0; i < parent->getNumChildren() && !state.infoFound; ++i) {
            const SoNode* child = parent->getChild(i);
            if (child->getTypeId() == SoInfo::getClassTypeId() &&
                child->getName() == SbName("SoInfo_child_of_FLT_switch")) {
                state.infoFound = true;
                state.maskList =
                    readMaskList(static_cast<const SoInfo*>(child)->string.getValue().toLatin1());
            }
        }
        if (!state.infoFound)
            state.maskList = readMaskList("No_SoInfo_switch_found");
    }
    if (!state.infoFound)
        addWarning("ERROR ! SoInfo with switch properties not found", 3, true);
    return maskShows(state.maskList, state.switchChildren);
}

void FltToVeldra::keepDetached(SoNode* node)
{
    detachedNodes.emplace_back(node);
}
