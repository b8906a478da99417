#include "FltRecordMorphVertexList.h"

void FltRecordMorphVertexList::describe(FltFields& f)
{
    // Each pair is stored as two consecutive words, 0 % offset first; a
    // partial last pair is kept as read.
    if (FltCursor* cursor = f.decoding())
        offsets.assign(cursor->remaining() / (2 * sizeof(int32_t)), {0, 0});
    if (!f.dumping()) {
        for (auto& pair : offsets) {
            f.reserved(pair.first);
            f.reserved(pair.second);
        }
    }
    if (FltDumpWriter* out = f.dumping()) {
        *out << "Offset: ";
        for (const auto& pair : offsets)
            *out << "(" << pair.first << "," << pair.second << ")  ";
        out->endl();
    }
}
