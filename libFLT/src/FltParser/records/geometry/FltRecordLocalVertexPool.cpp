#include "FltRecordLocalVertexPool.h"

#include <algorithm>

std::size_t FltRecordLocalVertexPool::vertexSize() const
{
    std::size_t size = 0;
    if (hasAttribute(positionBit))
        size += 3 * sizeof(double);
    if (hasAttribute(colorIndexBit))
        size += sizeof(uint32_t);
    if (hasAttribute(packedColorBit))
        size += 4;
    if (hasAttribute(normalBit))
        size += 3 * sizeof(float);
    for (int layer = 0; layer < uvLayers; ++layer)
        if (hasAttribute(baseUvBit - layer))
            size += 2 * sizeof(float);
    return size;
}

void FltRecordLocalVertexPool::describe(FltFields& f)
{
    f.number("vertexCount: ", vertexCount);
    f.hex("attributeMask: ", attributeMask);
    if (FltCursor* cursor = f.decoding()) {
        // Counted against the record's bytes before anything is allocated.
        const std::size_t size = vertexSize();
        const std::size_t held = size == 0 ? 0 : cursor->remaining() / size;
        vertices.assign(std::min<std::size_t>(vertexCount, held), Vertex());
    }
    static const char* const colorLabels[4] = {"  packedColor: ", nullptr, nullptr, nullptr};
    static const char* const uvLabels[uvLayers] = {"  uv: ",  "  uv1: ", "  uv2: ", "  uv3: ",
                                                   "  uv4: ", "  uv5: ", "  uv6: ", "  uv7: "};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (FltDumpWriter* out = f.dumping())
            (*out << "vertex[" << static_cast<uint32_t>(i) << "]: ").endl();
        Vertex& vertex = vertices[i];
        if (hasAttribute(positionBit))
            f.number("  position: ", vertex.position);
        if (hasAttribute(colorIndexBit))
            f.number("  colorIndex: ", vertex.colorIndex);
        if (hasAttribute(packedColorBit))
            f.packedColor(colorLabels, vertex.packedColor);
        if (hasAttribute(normalBit))
            f.number("  normal: ", vertex.normal);
        for (int layer = 0; layer < uvLayers; ++layer)
            if (hasAttribute(baseUvBit - layer))
                f.number(uvLabels[layer], vertex.uv[layer]);
    }
}
