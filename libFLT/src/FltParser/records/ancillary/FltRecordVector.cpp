#include "FltRecordVector.h"

void FltRecordVector::describe(FltFields& f)
{
    // The three components share one dump line.
    if (FltCursor* c = f.decoding()) {
        readField(i, *c);
        readField(j, *c);
        readField(k, *c);
    }
    if (FltDumpWriter* out = f.dumping())
        (*out << "i=" << i << "  j=" << j << "  k=" << k).endl();
}
