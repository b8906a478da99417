#include "FltRecordMorphVertexList.h"

void FltRecordMorphVertexList::describe(FltFields& f)
{
    if (FltCursor* cursor = f.decoding()) {
        // Each pair is stored as two consecutive words, 0 % offset first; a
        // partial last pair is ignored.
        offsets.assign(cursor->remaining() / (2 * sizeof(int32_t)), {0, 0});
        for (auto& pair : offsets) {
            readField(pair.first, *cursor);
            readField(pair.second, *cursor);
        }
    }
    if (FltDumpWriter* out = f.dumping()) {
        *out << "Offset: ";
        for (const auto& pair : offsets)
            *out << "(" << pair.first << "," << pair.second << ")  ";
        out->endl();
    }
}
