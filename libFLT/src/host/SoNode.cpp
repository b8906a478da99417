#include "SoNode.h"

SoType SoNode::getClassTypeId() {
    static const SoType type = SoType::createType(SoBase::getClassTypeId(), "SoNode");
    return type;
}

SoField* SoNode::getField(const SbName& name) {
    for (const FieldEntry& entry : fields_)
        if (entry.name == name) return entry.field;
    return nullptr;
}

void SoNode::getBoundingBox(SoGetBoundingBoxAction*) {}
