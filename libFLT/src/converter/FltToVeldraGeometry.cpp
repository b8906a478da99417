// Objects and free faces: the records of their geometry are handed to one
// geometry builder, and the walk continues after them.

#include "FltFixedText.h"
#include "FltObjectToSoSeparator.h"
#include "FltOpcodes.h"
#include "FltParser.h"
#include "FltCreationVisitor.h"
#include "FltRecordMesh.h"
#include "FltRecordObject.h"
#include "FltRecordPopLevel.h"
#include "FltRecordPushLevel.h"
#include "FltToVeldra.h"

namespace {

// Hierarchy records that start a node of their own: at the top level of a
// run of free faces they end it, whatever came before.
bool startsNode(int32_t opcode)
{
    switch (opcode) {
    case FLT_GROUP: case FLT_OLD_LOD: case FLT_OBJECT: case FLT_DOF: case FLT_EXTERNAL_REFERENCE:
    case FLT_LOD: case FLT_TEXT: case FLT_SWITCH: case FLT_CLIP_REGION: case FLT_HEADER:
        return true;
    default:
        return false;
    }
}

// A face, or a mesh read as one: what a run of free faces may go on with.
bool startsPolygon(const FltRecord& record)
{
    return record.getOpcode() == FLT_FACE ||
           (record.getOpcode() == FLT_MESH && dynamic_cast<const FltRecordMesh*>(&record));
}

} // namespace

void FltToVeldra::buildGeometry(std::vector<FltRecord*>::const_iterator at,
                                std::vector<FltRecord*>::const_iterator end, float transparency,
                                SoGroup* target, float objectOpacity)
{
    FltObjectToSoSeparator builder;
    builder.setVersion(fltParser->getCreationVisitor()->getVersion());
    builder.setRGBMode(fltParser->getCreationVisitor()->getRGBMode());
    builder.setPosition(at, end);
    builder.setObjectTransparency(transparency);
    builder.setObjectOpacity(objectOpacity);
    builder.setTarget(target);
    builder.setConverter(this);
    builder.build();
}

void FltToVeldra::convertObject(RecordPosition& position)
{
    const auto* object = dynamic_cast<const FltRecordObject*>(*position);
    if (!object)
        return;
    SoSeparator* separator = convertNode(position, fixedText(object->idASCII).c_str());
    // Without a Push Level the object has no geometry, and what follows is
    // its sibling.
    if (position == listEnd() || !*position || (*position)->getOpcode() != FLT_PUSH_LEVEL) {
        stepBack(position);
        return;
    }
    buildGeometry(position, listEnd(), static_cast<float>(object->transparency), separator,
                  1.0f - static_cast<float>(object->transparency) / 65535.0f);
    // The builder has read up to the Pop Level that closes the object.
    int depth = 0;
    for (const RecordPosition end = listEnd(); position != end && *position; ++position) {
        const int32_t opcode = (*position)->getOpcode();
        if (opcode == FLT_PUSH_LEVEL)
            ++depth;
        else if (opcode == FLT_POP_LEVEL && --depth == 0)
            return;
    }
    stepBack(position);
}

void FltToVeldra::convertFreeFaces(RecordPosition& position)
{
    // The faces run from here to the end of their level, framed as if they
    // were an object's.
    FltRecordPushLevel push(4);
    FltRecordPopLevel pop(4);
    std::vector<FltRecord*> faces{&push};
    int depth = 0;
    bool afterClosedFace = false; // the last record closed a face's own level
    for (const RecordPosition end = listEnd(); position != end && *position; ++position) {
        const int32_t opcode = (*position)->getOpcode();
        if (opcode == FLT_OBJECT || (depth == 0 && startsNode(opcode)) ||
            (afterClosedFace && !startsPolygon(**position)))
            break;
        if (opcode == FLT_PUSH_LEVEL)
            ++depth;
        else if (opcode == FLT_POP_LEVEL && --depth < 0)
            break;
        afterClosedFace = opcode == FLT_POP_LEVEL && depth == 0;
        faces.push_back(*position);
    }
    stepBack(position);
    faces.push_back(&pop);
    // Outside every level there is no group to hold them.
    if (!groupStack.empty())
        buildGeometry(faces.cbegin(), faces.cend(), 1.0f, groupStack.back());
}
