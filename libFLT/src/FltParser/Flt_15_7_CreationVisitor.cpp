#include "Flt_15_7_CreationVisitor.h"

#include <iostream>

#include "FltDumpQueue.h"
#include "FltRawData.h"
#include "FltRecords.h"

FltRecord* Flt_15_7_CreationVisitor::instantiate(int32_t opcode, uint32_t length, bool extended)
{
    if (extended) {
        switch (opcode) {
        case 84: return new FltRecordMesh(length);
        case 85: return new FltRecordLocalVertexPool(length);
        case 86: return new FltRecordMeshPrimitive(length);
        default: break;
        }
    }
    switch (opcode) {
    case 1: return new FltRecordHeader(length);
    case 2: return new FltRecordGroup(length);
    case 3: return new FltRecordOLDLOD(length);
    case 4: return new FltRecordObject(length);
    case 5: return new FltRecordFace(length);
    case 7: return new FltRecordOldVertex(length);
    case 8: return new FltRecordOldVertexColor(length);
    case 9: return new FltRecordOldVertexColorNormal(length);
    case 10: return new FltRecordPushLevel(length);
    case 11: return new FltRecordPopLevel(length);
    case 14: return new FltRecordDOF(length);
    case 19: return new FltRecordPushSubface(length);
    case 20: return new FltRecordPopSubface(length);
    case 21: return new FltRecordPushExtension(length);
    case 22: return new FltRecordPopExtension(length);
    case 31: return new FltRecordComment(length);
    case 32: return new FltRecordColorPalette(length);
    case 33: return new FltRecordLongID(length);
    case 49: return new FltRecordMatrix(length);
    case 50: return new FltRecordVector(length);
    case 51: return new FltRecordOldBoundingBox(length);
    case 52: return new FltRecordMultitexture(length);
    case 60: return new FltRecordReplicate(length);
    case 61: return new FltRecordInstanceReference(length);
    case 62: return new FltRecordInstanceDefinition(length);
    case 63: return new FltRecordExternalReference(length);
    case 64: return new FltRecordTexturePattern(length);
    case 66: return new FltRecordOLDMaterialPalette(length);
    case 67: return new FltRecordVertexPalette(length);
    case 68: return new FltRecordVertexColor(length);
    case 69: return new FltRecordVertexColorNormal(length);
    case 70: return new FltRecordVertexColorNormalUv(length);
    case 71: return new FltRecordVertexColorUv(length);
    case 72: return new FltRecordVertexList(length);
    case 73: return new FltRecordLOD(length);
    case 74: return new FltRecordBoundingBox(length);
    case 76: return new FltRecordRotateAboutEdge(length);
    case 78: return new FltRecordTranslate(length);
    case 79: return new FltRecordScaleNonUniform(length);
    case 80: return new FltRecordRotateAboutPoint(length);
    case 82: return new FltRecordPutTransform(length);
    case 83: return new FltRecordEyePointTrackPlane(length);
    case 89: return new FltRecordMorphVertexList(length);
    case 91: return new FltRecordSound(length);
    case 93: return new FltRecordSoundPalette(length);
    case 94: return new FltRecordGeneralMatrix(length);
    case 95: return new FltRecordText(length);
    case 96: return new FltRecordSwitch(length);
    case 97: return new FltRecordLineStylePalette(length);
    case 98: return new FltRecordClipRegion(length);
    case 100: return new FltRecordExtensionAttribute(length);
    case 101: return new FltRecordLightSource(length);
    case 102: return new FltRecordLightSourcePalette(length);
    case 105: return new FltRecordBoundingVolumeSphere(length);
    case 106: return new FltRecordBoundingVolumeCylinder(length);
    case 108: return new FltRecordBoundingVolumeCenter(length);
    case 109: return new FltRecordBoundingVolumeOrientation(length);
    case 111: return new FltRecordLightPoint(length);
    case 112: return new FltRecordTextureMappingPalette(length);
    case 113: return new FltRecordMaterial(length);
    case 114: return new FltRecordNamePalette(length);
    default: return new FltRecordUnknown(opcode, length);
    }
}

void Flt_15_7_CreationVisitor::create(FltRecord*& record, const FltRawData* raw)
{
    // Consecutive Sound Palette records (header part, then data part) grow one object.
    if (raw->opcode == 93 && lastCreatedRecord && lastCreatedRecord->getOpcode() == 93) {
        // Its first dump must be written before the object changes.
        if (dumpQueue)
            dumpQueue->waitUntilWritten();
        record = lastCreatedRecord;
    } else {
        record = instantiate(raw->opcode, raw->length, extendedRecords);
        if (!extendedRecords && isFltExtendedOpcode(raw->opcode))
            ++extendedRecordsMissed;
    }

    if (FltVersion* version = dynamic_cast<FltVersion*>(record))
        version->setVersion(getVersion());

    record->read(raw->data.data());
    lastCreatedRecord = record;
    if (dumpQueue)
        dumpQueue->dump(record);
    else
        record->printFields(std::cout);
}
