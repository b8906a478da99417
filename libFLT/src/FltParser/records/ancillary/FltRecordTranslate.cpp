#include "FltRecordTranslate.h"

void FltRecordTranslate::describe(FltFields& f)
{
    f.reserved(reserved);
    // The point and the delta each share one dump line.
    if (!f.dumping()) {
        for (double* value : {&x, &y, &z, &deltaX, &deltaY, &deltaZ})
            f.reserved(*value);
    }
    if (FltDumpWriter* out = f.dumping()) {
        (*out << "x=" << x << "  y=" << y << "  z=" << z).endl();
        (*out << "deltaX=" << deltaX << "  deltaY=" << deltaY << "  deltaZ=" << deltaZ).endl();
    }
}
