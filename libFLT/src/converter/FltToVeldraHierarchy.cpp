// Hierarchy records become nodes; control records move the stack of open levels.

#include "FltRecordHeader.h"
#include "FltToVeldra.h"
#include "FltWarningMessageConsole.h"

namespace {

// The database units as a scale to metres-or-file-units, the way the
// header's unit code and (before revision 13) its multiplier give it.
float unitScale(const FltRecordHeader& header)
{
    float scale = 1.0f;
    switch (header.vertexCoordinateUnits) {
    case 1: scale = 1000.0f; break;
    case 4: scale = 0.3048f; break;
    case 5: scale = 0.0254f; break;
    case 8: scale = 1852.0f; break;
    default: break;
    }
    if (header.formatRevisionLevel < 13) {
        const int16_t multiplier = header.multiplierDiviserUnit;
        if (multiplier < 0)
            scale /= -static_cast<float>(multiplier);
        else
            scale *= static_cast<float>(multiplier);
    }
    return scale;
}

} // namespace

void FltToVeldra::convertPrimary(RecordPosition& position)
{
    FltRecord* record = *position;
    switch (record->getOpcode()) {
    case 1: setUpRoot(record); break;
    default: break;
    }
}

void FltToVeldra::convertControl(FltRecord* record)
{
    switch (record->getOpcode()) {
    case 10: pushLevel(); break;
    case 11: popLevel(); break;
    default: break;
    }
}

void FltToVeldra::setUpRoot(const FltRecord* record)
{
    const FltRecordHeader* header = dynamic_cast<const FltRecordHeader*>(record);
    if (!header)
        return;
    if (!root)
        root = new SoSeparator;
    // This reference is the one the returned root keeps.
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

void FltToVeldra::pushLevel()
{
    if (lastNode)
        groupStack.push_back(lastNode);
}

void FltToVeldra::popLevel()
{
    if (groupStack.empty()) {
        addWarning("WARNING ! trying a pop() but stack is empty! (File corrupted ?)", 2, true);
        return;
    }
    groupStack.pop_back();
}
