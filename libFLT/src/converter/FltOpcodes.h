#pragma once

#include <cstdint>

// The opcodes the converter acts on.
enum FltOpcode : int32_t {
    FLT_HEADER = 1,
    FLT_GROUP = 2,
    FLT_OLD_LOD = 3,
    FLT_OBJECT = 4,
    FLT_FACE = 5,
    FLT_OLD_VERTEX = 7,
    FLT_OLD_VERTEX_COLOR = 8,
    FLT_OLD_VERTEX_COLOR_NORMAL = 9,
    FLT_PUSH_LEVEL = 10,
    FLT_POP_LEVEL = 11,
    FLT_DOF = 14,
    FLT_PUSH_SUBFACE = 19,
    FLT_POP_SUBFACE = 20,
    FLT_COMMENT = 31,
    FLT_LONG_ID = 33,
    FLT_MATRIX = 49,
    FLT_REPLICATE = 60,
    FLT_INSTANCE_REFERENCE = 61,
    FLT_INSTANCE_DEFINITION = 62,
    FLT_EXTERNAL_REFERENCE = 63,
    FLT_VERTEX_LIST = 72,
    FLT_LOD = 73,
    FLT_MORPH_VERTEX_LIST = 89,
    FLT_TEXT = 95,
    FLT_SWITCH = 96,
    FLT_CLIP_REGION = 98
};
