#include "FltRecordMeshPrimitive.h"

#include <algorithm>

namespace {

template <class Index>
uint32_t readIndex(FltCursor& cursor)
{
    Index index = 0;
    readField(index, cursor);
    return index;
}

} // namespace

void FltRecordMeshPrimitive::describe(FltFields& f)
{
    f.number("primitiveType: ", primitiveType);
    f.number("indexSize: ", indexSize);
    f.number("vertexCount: ", vertexCount);
    if (FltCursor* cursor = f.decoding()) {
        const std::size_t held = hasValidIndexSize() ? cursor->remaining() / indexSize : 0;
        indices.assign(std::min<std::size_t>(vertexCount, held), 0);
        for (uint32_t& index : indices)
            index = indexSize == 1   ? readIndex<uint8_t>(*cursor)
                    : indexSize == 2 ? readIndex<uint16_t>(*cursor)
                                     : readIndex<uint32_t>(*cursor);
    }
    if (FltDumpWriter* out = f.dumping()) {
        *out << "indices: ";
        for (uint32_t index : indices)
            *out << index << "  ";
        out->endl();
    }
}
