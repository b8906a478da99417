#include "FltRecordVertexList.h"

#include "FltFieldRuns.h"

void FltRecordVertexList::describe(FltFields& f)
{
    // As many entries as the record holds; a partial last entry is kept as read.
    if (FltCursor* cursor = f.decoding())
        offsets.assign(cursor->remaining() / sizeof(int32_t), 0);
    describeRun(f, offsets);
    if (FltDumpWriter* out = f.dumping()) {
        *out << "Offset: ";
        for (int32_t offset : offsets)
            *out << offset << "  ";
        out->endl();
    }
}
