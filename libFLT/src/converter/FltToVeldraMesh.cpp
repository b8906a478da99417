// Meshes of the extended record set: their local vertices join the shared
// vertex nodes, and what is wrong with their records is said once.

#include <string>

#include "FltRecordLocalVertexPool.h"
#include "FltToVeldra.h"
#include "FltVertexColor.h"
#include "FltWarningMessageConsole.h"

namespace {

struct MeshProblemText {
    const char* text;
    int32_t level;
};

// Indexed by FltToVeldra::MeshProblem.
const MeshProblemText meshProblemTexts[] = {
    {"WARNING ! Local vertex pools that hold fewer vertices than their count and attribute mask name "
     "keep the whole vertices they hold",
     1},
    {"WARNING ! Local vertex pools without positions are skipped", 2},
    {"WARNING ! Mesh primitives before any local vertex pool are skipped", 2},
    {"WARNING ! Mesh primitives with an index size other than 1, 2 or 4 are skipped", 2},
    {"WARNING ! Mesh primitives holding fewer indices than their vertex count are skipped", 2},
    {"WARNING ! Mesh primitives with indices outside their local vertex pool are skipped", 2},
    {"WARNING ! Mesh primitives of an unknown type are skipped", 2},
    {"WARNING ! Mesh primitives with too few vertices for their type are skipped", 2},
};
static_assert(sizeof meshProblemTexts / sizeof meshProblemTexts[0] ==
                  static_cast<std::size_t>(FltToVeldra::MeshProblem::count),
              "one text per mesh problem");

// A local vertex's colour as the palette's vertices give theirs: its packed
// colour, or a palette entry at an intensity; white without either.
uint32_t localVertexColor(const FltRecordLocalVertexPool& pool, const FltRecordLocalVertexPool::Vertex& vertex,
                          const uint32_t* palette)
{
    if (pool.hasAttribute(FltRecordLocalVertexPool::packedColorBit))
        return fltPackedRgba(vertex.packedColor);
    const int32_t index = static_cast<int32_t>(vertex.colorIndex);
    if (pool.hasAttribute(FltRecordLocalVertexPool::colorIndexBit) && index >= 0 &&
        (index >> 7) < fltPaletteColorEntries)
        return fltPaletteRgba(index, palette);
    return 0xFFFFFFFFu;
}

} // namespace

void FltToVeldra::reportMeshProblem(MeshProblem problem)
{
    const int at = static_cast<int>(problem);
    if (meshProblemsReported[at])
        return;
    meshProblemsReported[at] = true;
    addWarning(meshProblemTexts[at].text, meshProblemTexts[at].level, true);
}

LocalVertices FltToVeldra::appendLocalVertices(const FltRecordLocalVertexPool& pool)
{
    using Pool = FltRecordLocalVertexPool;
    LocalVertices stored;
    stored.met = true;
    if (!pool.hasAttribute(Pool::positionBit)) {
        if (pool.vertexCount > 0)
            reportMeshProblem(MeshProblem::PoolWithoutPositions);
        return stored;
    }
    if (pool.vertices.size() < pool.vertexCount)
        reportMeshProblem(MeshProblem::PoolCutShort);
    const bool normals = pool.hasAttribute(Pool::normalBit);
    const bool textureCoordinates = pool.hasAttribute(Pool::baseUvBit);
    const FltVertexKindId kind = normals ? (textureCoordinates ? VERTEX_COLOR_NORMAL_UV_ID : VERTEX_COLOR_NORMAL_ID)
                                         : (textureCoordinates ? VERTEX_COLOR_UV_ID : VERTEX_COLOR_ID);
    stored.kindId = kind;
    stored.first = vertexCounts[vertexKindSlot(kind)];
    for (const Pool::Vertex& vertex : pool.vertices) {
        const SbVec3f coordinates(static_cast<float>(vertex.position[0]), static_cast<float>(vertex.position[1]),
                                  static_cast<float>(vertex.position[2]));
        const SbVec3f normal(vertex.normal[0], vertex.normal[1], vertex.normal[2]);
        const SbVec2f uv(vertex.uv[0][0], vertex.uv[0][1]);
        storeVertex(kind, coordinates, normal, uv, localVertexColor(pool, vertex, colorPalette));
    }
    stored.count = pool.vertices.size();
    return stored;
}
