#include "FltRecordVector.h"

void FltRecordVector::describe(FltFields& f)
{
    // The three components share one dump line.
    if (!f.dumping()) {
        f.reserved(i);
        f.reserved(j);
        f.reserved(k);
    }
    if (FltDumpWriter* out = f.dumping())
        (*out << "i=" << i << "  j=" << j << "  k=" << k).endl();
}
