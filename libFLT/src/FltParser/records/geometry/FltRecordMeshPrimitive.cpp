#include "FltRecordMeshPrimitive.h"

#include <algorithm>

namespace {

// One index in the record's index size, decoded or encoded.
template <class Index>
void describeIndex(FltFields& f, uint32_t& index)
{
    Index stored = static_cast<Index>(index);
    f.reserved(stored);
    index = stored;
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
    }
    if (!f.dumping() && hasValidIndexSize()) {
        for (uint32_t& index : indices) {
            if (indexSize == 1)
                describeIndex<uint8_t>(f, index);
            else if (indexSize == 2)
                describeIndex<uint16_t>(f, index);
            else
                describeIndex<uint32_t>(f, index);
        }
    }
    if (FltDumpWriter* out = f.dumping()) {
        *out << "indices: ";
        for (uint32_t index : indices)
            *out << index << "  ";
        out->endl();
    }
}
