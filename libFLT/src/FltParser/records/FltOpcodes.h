#pragma once

// Every record class with its opcode: the one list the factory, the record
// classes and the converter read. A new record class is one line here
// (its files are found by the build); nothing else names its opcode.
//
// X(opcode, record class, constant name, record set): BASIC records are
// always read, EXTENDED ones only with the extended record set
// (FltExtendedRecords.h).

#include <cstdint>

enum class FltRecordSet { BASIC, EXTENDED };

#define FLT_RECORD_TABLE(X) \
    X(1, FltRecordHeader, HEADER, BASIC) \
    X(2, FltRecordGroup, GROUP, BASIC) \
    X(3, FltRecordOLDLOD, OLD_LOD, BASIC) \
    X(4, FltRecordObject, OBJECT, BASIC) \
    X(5, FltRecordFace, FACE, BASIC) \
    X(7, FltRecordOldVertex, OLD_VERTEX, BASIC) \
    X(8, FltRecordOldVertexColor, OLD_VERTEX_COLOR, BASIC) \
    X(9, FltRecordOldVertexColorNormal, OLD_VERTEX_COLOR_NORMAL, BASIC) \
    X(10, FltRecordPushLevel, PUSH_LEVEL, BASIC) \
    X(11, FltRecordPopLevel, POP_LEVEL, BASIC) \
    X(14, FltRecordDOF, DOF, BASIC) \
    X(19, FltRecordPushSubface, PUSH_SUBFACE, BASIC) \
    X(20, FltRecordPopSubface, POP_SUBFACE, BASIC) \
    X(21, FltRecordPushExtension, PUSH_EXTENSION, BASIC) \
    X(22, FltRecordPopExtension, POP_EXTENSION, BASIC) \
    X(31, FltRecordComment, COMMENT, BASIC) \
    X(32, FltRecordColorPalette, COLOR_PALETTE, BASIC) \
    X(33, FltRecordLongID, LONG_ID, BASIC) \
    X(49, FltRecordMatrix, MATRIX, BASIC) \
    X(50, FltRecordVector, VECTOR, BASIC) \
    X(51, FltRecordOldBoundingBox, OLD_BOUNDING_BOX, BASIC) \
    X(52, FltRecordMultitexture, MULTITEXTURE, BASIC) \
    X(60, FltRecordReplicate, REPLICATE, BASIC) \
    X(61, FltRecordInstanceReference, INSTANCE_REFERENCE, BASIC) \
    X(62, FltRecordInstanceDefinition, INSTANCE_DEFINITION, BASIC) \
    X(63, FltRecordExternalReference, EXTERNAL_REFERENCE, BASIC) \
    X(64, FltRecordTexturePattern, TEXTURE_PATTERN, BASIC) \
    X(66, FltRecordOLDMaterialPalette, OLD_MATERIAL_PALETTE, BASIC) \
    X(67, FltRecordVertexPalette, VERTEX_PALETTE, BASIC) \
    X(68, FltRecordVertexColor, VERTEX_COLOR, BASIC) \
    X(69, FltRecordVertexColorNormal, VERTEX_COLOR_NORMAL, BASIC) \
    X(70, FltRecordVertexColorNormalUv, VERTEX_COLOR_NORMAL_UV, BASIC) \
    X(71, FltRecordVertexColorUv, VERTEX_COLOR_UV, BASIC) \
    X(72, FltRecordVertexList, VERTEX_LIST, BASIC) \
    X(73, FltRecordLOD, LOD, BASIC) \
    X(74, FltRecordBoundingBox, BOUNDING_BOX, BASIC) \
    X(76, FltRecordRotateAboutEdge, ROTATE_ABOUT_EDGE, BASIC) \
    X(78, FltRecordTranslate, TRANSLATE, BASIC) \
    X(79, FltRecordScaleNonUniform, SCALE_NON_UNIFORM, BASIC) \
    X(80, FltRecordRotateAboutPoint, ROTATE_ABOUT_POINT, BASIC) \
    X(82, FltRecordPutTransform, PUT_TRANSFORM, BASIC) \
    X(83, FltRecordEyePointTrackPlane, EYE_POINT_TRACK_PLANE, BASIC) \
    X(84, FltRecordMesh, MESH, EXTENDED) \
    X(85, FltRecordLocalVertexPool, LOCAL_VERTEX_POOL, EXTENDED) \
    X(86, FltRecordMeshPrimitive, MESH_PRIMITIVE, EXTENDED) \
    X(89, FltRecordMorphVertexList, MORPH_VERTEX_LIST, BASIC) \
    X(91, FltRecordSound, SOUND, BASIC) \
    X(93, FltRecordSoundPalette, SOUND_PALETTE, BASIC) \
    X(94, FltRecordGeneralMatrix, GENERAL_MATRIX, BASIC) \
    X(95, FltRecordText, TEXT, BASIC) \
    X(96, FltRecordSwitch, SWITCH, BASIC) \
    X(97, FltRecordLineStylePalette, LINE_STYLE_PALETTE, BASIC) \
    X(98, FltRecordClipRegion, CLIP_REGION, BASIC) \
    X(100, FltRecordExtensionAttribute, EXTENSION_ATTRIBUTE, BASIC) \
    X(101, FltRecordLightSource, LIGHT_SOURCE, BASIC) \
    X(102, FltRecordLightSourcePalette, LIGHT_SOURCE_PALETTE, BASIC) \
    X(105, FltRecordBoundingVolumeSphere, BOUNDING_VOLUME_SPHERE, BASIC) \
    X(106, FltRecordBoundingVolumeCylinder, BOUNDING_VOLUME_CYLINDER, BASIC) \
    X(108, FltRecordBoundingVolumeCenter, BOUNDING_VOLUME_CENTER, BASIC) \
    X(109, FltRecordBoundingVolumeOrientation, BOUNDING_VOLUME_ORIENTATION, BASIC) \
    X(111, FltRecordLightPoint, LIGHT_POINT, BASIC) \
    X(112, FltRecordTextureMappingPalette, TEXTURE_MAPPING_PALETTE, BASIC) \
    X(113, FltRecordMaterial, MATERIAL, BASIC) \
    X(114, FltRecordNamePalette, NAME_PALETTE, BASIC)

// FLT_HEADER, FLT_GROUP, ...: the opcode of each record class.
enum FltOpcode : int32_t {
#define FLT_OPCODE_CONSTANT(opcode, Record, name, set) FLT_##name = opcode,
    FLT_RECORD_TABLE(FLT_OPCODE_CONSTANT)
#undef FLT_OPCODE_CONSTANT
};

// The opcode of a record class, bound to it by its line of the table.
template <class Record>
struct FltOpcodeOf; // a class without a line has none

#define FLT_OPCODE_OF(opcode, Record, name, set)                                                        \
    class Record;                                                                                       \
    template <>                                                                                         \
    struct FltOpcodeOf<Record> {                                                                        \
        static constexpr int32_t value = opcode;                                                        \
    };
FLT_RECORD_TABLE(FLT_OPCODE_OF)
#undef FLT_OPCODE_OF

// A record too long for its length field goes on in records of this opcode
// that follow it; they have no class of their own.
constexpr int32_t fltContinuationOpcode = 23;

template <class Record>
constexpr int32_t fltOpcode = FltOpcodeOf<Record>::value;

// Whether the opcode's record class belongs to the extended record set.
constexpr bool isFltExtendedOpcode(int32_t opcode)
{
#define FLT_IS_EXTENDED(code, Record, name, set) (opcode == code && FltRecordSet::set == FltRecordSet::EXTENDED) ||
    return FLT_RECORD_TABLE(FLT_IS_EXTENDED) false;
#undef FLT_IS_EXTENDED
}
