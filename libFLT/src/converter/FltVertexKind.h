#pragma once

#include <cstdint>

// The kinds of vertex the converter keeps, one shared vertex property node
// each, and the kind of a vertex no node holds.
enum FltVertexKindId : int32_t {
    VERTEX_COLOR_ID = 1,
    VERTEX_COLOR_NORMAL_ID = 2,
    VERTEX_COLOR_UV_ID = 3,
    VERTEX_COLOR_NORMAL_UV_ID = 4,
    UNDEFINED_SO_VERTEX_PROPERTY_ID = 5
};

// A kind's place in arrays kept per shared node (0 to 3), and back.
constexpr int vertexKindSlot(FltVertexKindId kind) { return kind - VERTEX_COLOR_ID; }
constexpr FltVertexKindId vertexKindAt(int slot) { return static_cast<FltVertexKindId>(slot + VERTEX_COLOR_ID); }
