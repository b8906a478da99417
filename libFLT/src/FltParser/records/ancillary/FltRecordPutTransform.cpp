#include "FltRecordPutTransform.h"

namespace {
// Shorter records end after the eighteen coordinates.
constexpr uint32_t lengthWithAngle = 156;
} // namespace

void FltRecordPutTransform::describe(FltFields& f)
{
    f.reserved(reserved);
    f.number("XFromOrigin: ", XFromOrigin);
    f.number("YFromOrigin: ", YFromOrigin);
    f.number("ZFromOrigin: ", ZFromOrigin);
    f.number("XFromAlign: ", XFromAlign);
    f.number("YFromAlign: ", YFromAlign);
    f.number("ZFromAlign: ", ZFromAlign);
    f.number("XFromTrack: ", XFromTrack);
    f.number("YFromTrack: ", YFromTrack);
    f.number("ZFromTrack: ", ZFromTrack);
    f.number("XToOrigin: ", XToOrigin);
    f.number("YToOrigin: ", YToOrigin);
    f.number("ZToOrigin: ", ZToOrigin);
    f.number("XToAlign: ", XToAlign);
    f.number("YToAlign: ", YToAlign);
    f.number("ZToAlign: ", ZToAlign);
    f.number("XToTrack: ", XToTrack);
    f.number("YToTrack: ", YToTrack);
    f.number("ZToTrack: ", ZToTrack);
    // The angle is always dumped, and is zero when the record has none.
    if (f.dumping() || getLength() >= lengthWithAngle)
        f.number("angleToRotate: ", angleToRotate);
}
