#include "FltRecordVertexList.h"

void FltRecordVertexList::describe(FltFields& f)
{
    if (FltCursor* cursor = f.decoding()) {
        // As many entries as the record holds; a partial last entry is ignored.
        offsets.assign(cursor->remaining() / sizeof(int32_t), 0);
        for (int32_t& offset : offsets)
            readField(offset, *cursor);
    }
    if (FltDumpWriter* out = f.dumping()) {
        *out << "Offset: ";
        for (int32_t offset : offsets)
            *out << offset << "  ";
        out->endl();
    }
}
