#include "FltRecordBoundingVolumeSphere.h"

const char* const* FltRecordBoundingVolumeSphere::labels() const
{
    static const char* const names[] = {"radius: "};
    return names;
}
