#include "FltRecordBoundingVolumeCylinder.h"

const char* const* FltRecordBoundingVolumeCylinder::labels() const
{
    // The second label is spelled so in every transcript.
    static const char* const names[] = {"radius: ", "heitght: "};
    return names;
}
