// Hierarchy records become nodes; control records move the stack of open
// levels. A node's children are not walked by a nested call: the node opens
// a child walk that the main record loop then steps through (stepChildWalk),
// so a file nested any number of levels deep costs heap, never stack.

#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "AbstractInstanceRecord.h"
#include "FltFixedText.h"
#include "FltInput.h"
#include "FltOpcodes.h"
#include "FltParser.h"
#include "FltRecordClipRegion.h"
#include "FltRecordDOF.h"
#include "FltRecordGroup.h"
#include "FltRecordHeader.h"
#include "FltRecordLOD.h"
#include "FltRecordMesh.h"
#include "FltRecordOLDLOD.h"
#include "FltRecordSwitch.h"
#include "FltRecordText.h"
#include "FltToVeldra.h"
#include "FltUnits.h"
#include "FltWarningMessageConsole.h"

namespace {

// The database units as a scale, the way the header's unit code and
// (before revision 13) its multiplier give it.
float unitScale(const FltRecordHeader& header)
{
    const FltUnits* units = fltUnitsOf(header.vertexCoordinateUnits);
    float scale = units ? units->metres : 1.0f;
    if (header.formatRevisionLevel < 13) {
        const int16_t multiplier = header.multiplierDiviserUnit;
        if (multiplier < 0)
            scale /= -static_cast<float>(multiplier);
        else
            scale *= static_cast<float>(multiplier);
    }
    return scale;
}

// Groups and degrees of freedom convert alike, each with its own identifier.
std::string groupIdentifier(const FltRecord* record)
{
    if (const auto* group = dynamic_cast<const FltRecordGroup*>(record))
        return fixedText(group->idASCII);
    if (const auto* dof = dynamic_cast<const FltRecordDOF*>(record))
        return fixedText(dof->idASCII);
    return std::string();
}

bool isOpcode(const FltRecord* record, int32_t opcode) { return record && record->getOpcode() == opcode; }

// "Current Mask:0 NumberOfWordsPerMask:1 numberOfMasks:2 Switch Masks:" and
// then every mask word the record holds, bit 31 first.
std::string switchMaskText(const FltRecordSwitch& record)
{
    std::string text = "Current Mask:" + std::to_string(record.indexOfCurrentMask) +
                       " NumberOfWordsPerMask:" + std::to_string(record.numberOf32BitWordsPerMask) +
                       " numberOfMasks:" + std::to_string(record.numberOfMasks) + " Switch Masks:";
    text.reserve(text.size() + record.maskWords.size() * 66);
    for (uint32_t word : record.maskWords) {
        for (int bit = 31; bit >= 0; --bit) {
            text += (word >> bit) & 1u ? '1' : '0';
            text += ' ';
        }
        text += "  ";
    }
    return text;
}

// Whether node lies anywhere under group, each shared group searched once,
// with a stack of its own.
bool holds(const SoGroup* group, const SoNode* node)
{
    std::vector<const SoGroup*> open{group};
    std::unordered_set<const SoGroup*> searched{group};
    while (!open.empty()) {
        const SoGroup* current = open.back();
        open.pop_back();
        for (int i = 0; i < current->getNumChildren(); ++i) {
            const SoNode* child = current->getChild(i);
            if (child == node)
                return true;
            const auto* inner = dynamic_cast<const SoGroup*>(child);
            if (inner && searched.insert(inner).second)
                open.push_back(inner);
        }
    }
    return false;
}

} // namespace

FltToVeldra::RecordPosition FltToVeldra::listEnd() const { return fltParser->getRecords().end(); }

void FltToVeldra::stepBack(RecordPosition& position) const
{
    if (position != fltParser->getRecords().begin())
        --position;
}

void FltToVeldra::convertPrimary(RecordPosition& position)
{
    FltRecord* record = *position;
    if (!record)
        return;
    switch (record->getOpcode()) {
    case FLT_HEADER: setUpRoot(record); break;
    case FLT_GROUP:
    case FLT_DOF:
        // A degree of freedom's limits and local axes move nothing in a static scene.
        walkChildren(position, convertNode(position, groupIdentifier(record).c_str()));
        break;
    case FLT_OLD_LOD: convertOldLOD(position); break;
    case FLT_OBJECT: convertObject(position); break;
    case FLT_FACE: convertFreeFaces(position); break;
    case FLT_MESH:
        // Without the extended record set a Mesh stays an unknown record.
        if (dynamic_cast<const FltRecordMesh*>(record))
            convertFreeFaces(position);
        break;
    case FLT_EXTERNAL_REFERENCE: convertExternalReference(position); break;
    case FLT_LOD:
        if (const auto* lod = dynamic_cast<const FltRecordLOD*>(record))
            convertLOD(position, *lod);
        break;
    case FLT_TEXT:
        // A named place in the tree; no text geometry is made.
        if (const auto* text = dynamic_cast<const FltRecordText*>(record)) {
            convertNode(position, fixedText(text->idASCII).c_str());
            stepBack(position);
        }
        break;
    case FLT_SWITCH: convertSwitch(position); break;
    case FLT_CLIP_REGION: convertClipRegion(position); break;
    default: break;
    }
}

void FltToVeldra::convertControl(FltRecord* record)
{
    switch (record->getOpcode()) {
    case FLT_PUSH_LEVEL: pushLevel(); break;
    case FLT_POP_LEVEL: popLevel(); break;
    case FLT_INSTANCE_REFERENCE: referenceInstance(record); break;
    case FLT_INSTANCE_DEFINITION: defineInstance(record); break;
    default: break;
    }
}

void FltToVeldra::walkChildren(RecordPosition& position, SoSeparator* content, SoLOD* lod)
{
    if (position != listEnd() && isOpcode(*position, FLT_PUSH_LEVEL)) {
        childWalks.push_back({content, lod, 0});
        pushLevel();
        childWalks.back().depth = 1;
        return; // the main loop goes on after the Push Level, inside this walk
    }
    // No Push Level: the node has no children, and what follows is its sibling.
    stepBack(position);
    if (lod)
        finishLOD(lod, content);
}

void FltToVeldra::stepChildWalk(RecordPosition& position)
{
    FltRecord* record = *position;
    if (!record) {
        endChildWalk();
        return;
    }
    switch (record->getOpcode()) {
    case FLT_PUSH_LEVEL:
        pushLevel();
        ++childWalks.back().depth;
        break;
    case FLT_POP_LEVEL:
        popLevel();
        if (--childWalks.back().depth < 1)
            endChildWalk();
        break;
    default:
        // Instances and other control records count only outside child walks.
        convertPrimary(position);
        break;
    }
}

void FltToVeldra::endChildWalk()
{
    const ChildWalk walk = childWalks.back();
    childWalks.pop_back();
    if (walk.lod)
        finishLOD(walk.lod, walk.content);
}

void FltToVeldra::setUpRoot(const FltRecord* record)
{
    const FltRecordHeader* header = dynamic_cast<const FltRecordHeader*>(record);
    // A second Header in a file would take a reference nobody gives back.
    if (!header || rootSetUp)
        return;
    rootSetUp = true;
    if (!root)
        root = new SoSeparator;
    // This reference is the one the returned root keeps. Taken by hand: it
    // outlives the converter, and whoever receives the root gives it back.
    root->ref();
    root->setName(SbName("root"));
    lastNode = root;

    const float scale = unitScale(*header);
    if (scale != 1.0f) {
        SoScale* unitScaleNode = new SoScale;
        unitScaleNode->scaleFactor.setValue(SbVec3f(scale, scale, scale));
        root->addChild(unitScaleNode);
    }
    SoShapeHints* hints = new SoShapeHints;
    hints->vertexOrdering.setValue(2); // counter-clockwise
    hints->shapeType.setValue(1);      // solid
    root->addChild(hints);
    SoTextureCoordinateBinding* textureBinding = new SoTextureCoordinateBinding;
    textureBinding->value.setValue(3); // per vertex, indexed
    root->addChild(textureBinding);
    SoNormalBinding* normalBinding = new SoNormalBinding;
    normalBinding->value.setValue(8); // per vertex, indexed
    root->addChild(normalBinding);
}

SoSeparator* FltToVeldra::newNamedSeparator(const char* id)
{
    SoSeparator* separator = new SoSeparator;
    separator->setName(SbName(id));
    return separator;
}

SoSeparator* FltToVeldra::convertNode(RecordPosition& position, const char* id)
{
    SoSeparator* separator = newNamedSeparator(id);
    lastNode = separator;
    attachNode(separator);
    ++position;
    convertAncillaries(position, separator);
    return separator;
}

void FltToVeldra::convertClipRegion(RecordPosition& position)
{
    const auto* clip = dynamic_cast<const FltRecordClipRegion*>(*position);
    if (!clip)
        return;
    SoSeparator* separator = convertNode(position, fixedText(clip->idASCII).c_str());
    for (int i = 0; i < FltRecordClipRegion::planeCount; ++i) {
        // A x + B y + C z + D = 0
        const SbVec3f normal(static_cast<float>(clip->clipRegionCoefs[0][i]),
                             static_cast<float>(clip->clipRegionCoefs[1][i]),
                             static_cast<float>(clip->clipRegionCoefs[2][i]));
        SoClipPlane* plane = new SoClipPlane;
        plane->plane.setValue(SbPlane(normal, -static_cast<float>(clip->clipRegionCoefs[3][i])));
        plane->on.setValue(clip->isPlaneOn(i));
        separator->addChild(plane);
    }
    // Its Push Level comes back to the enclosing loop, which opens it.
    stepBack(position);
}

void FltToVeldra::convertLOD(RecordPosition& position, const FltRecordLOD& record)
{
    const std::string id = fixedText(record.idASCII);
    SoLOD* lod = new SoLOD;
    lod->setName(SbName(id.c_str()));
    lod->center.setValue(SbVec3f(static_cast<float>(record.XcenterCoordinate),
                                 static_cast<float>(record.YcenterCoordinate),
                                 static_cast<float>(record.ZcenterCoordinate)));
    lod->range.set1Value(0, static_cast<float>(record.switchOutDistance));
    lod->range.set1Value(1, static_cast<float>(record.switchInDistance));
    SoSeparator* content = newNamedSeparator(id.c_str());
    lastNode = content;
    attachNode(lod);
    ++position;
    convertAncillaries(position, content);
    walkChildren(position, content, lod);
}

void FltToVeldra::convertOldLOD(RecordPosition& position)
{
    const auto* old = dynamic_cast<const FltRecordOLDLOD*>(*position);
    if (!old)
        return;
    FltRecordLOD lod(old->getLength());
    std::memcpy(lod.idASCII, old->idASCII, sizeof lod.idASCII);
    lod.switchInDistance = static_cast<double>(old->switchInDistance);
    lod.switchOutDistance = static_cast<double>(old->switchOutDistance);
    lod.flags = old->flags;
    lod.XcenterCoordinate = static_cast<double>(old->XcenterCoordinate);
    lod.YcenterCoordinate = static_cast<double>(old->YcenterCoordinate);
    lod.ZcenterCoordinate = static_cast<double>(old->ZcenterCoordinate);
    convertLOD(position, lod);
}

void FltToVeldra::finishLOD(SoLOD* lod, SoSeparator* content)
{
    // Nearer than the switch-out distance: nothing; then the content; beyond
    // the switch-in distance: nothing.
    lod->addChild(minRangeLimitLabel.get());
    lod->addChild(content);
    if (lod->center.getValue() == SbVec3f(0.0f, 0.0f, 0.0f)) {
        if (budget->lodCenterVisits < maxLODCenterVisits) {
            SoGetBoundingBoxAction bounds{SbViewportRegion()};
            bounds.apply(content);
            budget->lodCenterVisits += bounds.getVisitCount();
            lod->center.setValue(bounds.getBoundingBox().getCenter());
        } else if (!budget->lodCentersSkipped) {
            budget->lodCentersSkipped = true;
            addWarning("WARNING ! too many nested levels of detail: the remaining centres stay at the origin",
                       1, true);
        }
    }
    lod->addChild(maxRangeLimitLabel.get());
}

void FltToVeldra::convertSwitch(RecordPosition& position)
{
    const auto* record = dynamic_cast<const FltRecordSwitch*>(*position);
    if (!record)
        return;
    SoSeparator* separator = newNamedSeparator(fixedText(record->idASCII).c_str());
    // The name marks the separator as a switch: attachNode wraps its children.
    const std::string name = std::string(separator->getName().getString()) + "_(flt_switch)";
    separator->setName(SbName(name.c_str()));
    lastNode = separator;
    attachNode(separator);
    SoInfo* masks = new SoInfo;
    masks->setName(SbName("SoInfo_child_of_FLT_switch"));
    masks->string.setValue(SbString(switchMaskText(*record)));
    separator->addChild(masks);
    ++position;
    convertAncillaries(position, separator);
    walkChildren(position, separator);
}

void FltToVeldra::pushLevel()
{
    if (!vertexPaletteDone)
        finalizeVertexPalette();
    SoGroup* level = lastNode ? lastNode : root;
    groupStack.push_back(level);
    ++stackedGroups[level];
}

void FltToVeldra::popLevel()
{
    if (groupStack.empty()) {
        addWarning("WARNING ! trying a pop() but stack is empty! (File corrupted ?)", 2, true);
        return;
    }
    const auto stacked = stackedGroups.find(groupStack.back());
    if (stacked != stackedGroups.end() && --stacked->second == 0)
        stackedGroups.erase(stacked);
    groupStack.pop_back();
}

void FltToVeldra::defineInstance(const FltRecord* record)
{
    const auto* definition = dynamic_cast<const AbstractInstanceRecord*>(record);
    if (!definition)
        return;
    const int32_t number = definition->instanceDefinitionNumber;
    const std::string name = "InstanceDefinition_" + std::to_string(number);
    SoSeparator* separator = newNamedSeparator(name.c_str());
    instanceDefinitions[number] = SoRef<SoNode>(separator);
    lastNode = separator;
    attachNode(separator);
}

void FltToVeldra::referenceInstance(const FltRecord* record)
{
    const auto* reference = dynamic_cast<const AbstractInstanceRecord*>(record);
    if (!reference || groupStack.empty())
        return;
    const auto definition = instanceDefinitions.find(reference->instanceDefinitionNumber);
    if (definition == instanceDefinitions.end())
        return;
    // Placing a definition inside its own levels would make the scene a
    // cycle that never ends and is never freed. The open level may lie in
    // the definition without the definition being open itself: a Push Level
    // after its Pop Level reopens the last node made inside it.
    const SoGroup* definitionGroup = dynamic_cast<const SoGroup*>(definition->second.get());
    if (definitionGroup &&
        (stackedGroups.count(definitionGroup) || holds(definitionGroup, groupStack.back()))) {
        const std::string text = "WARNING ! instance " + std::to_string(definition->first) +
                                 " referenced inside its own definition is ignored";
        addWarning(text.c_str(), 2, true);
        return;
    }
    groupStack.back()->addChild(definition->second.get());
}
