#include "FltRecordEyePointTrackPlane.h"

#include <cmath>
#include <limits>

namespace {

// Decodes one entry through its own description, within the cursor's bounds.
template <class Entry>
void readEntry(Entry& entry, FltCursor& cursor)
{
    static const unsigned char none = 0;
    FltFieldReader reader(&none, 0);
    reader.cursor = cursor;
    entry.describe(reader);
    cursor = reader.cursor;
}

// The grid angle is shown truncated toward zero; values no integer holds are pinned.
int32_t truncatedAngle(float angle)
{
    if (std::isnan(angle))
        return 0;
    if (angle >= 2147483648.0f)
        return std::numeric_limits<int32_t>::max();
    if (angle <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(angle);
}

} // namespace

void FltRecordEyePointTrackPlane::EyePoint::describe(FltFields& f)
{
    f.number("centerX: ", centerX);
    f.number("centerY: ", centerY);
    f.number("centerZ: ", centerZ);
    f.number("yawAngle: ", yawAngle);
    f.number("pitchAngle: ", pitchAngle);
    f.number("rollAngle: ", rollAngle);
    f.literal("rotationMatrix: ");
    f.matrix(rotationMatrix);
    f.number("viewField: ", viewField);
    f.number("scale: ", scale);
    f.number("nearClippingPlane: ", nearClippingPlane);
    f.number("farClippingPlane: ", farClippingPlane);
    f.literal("flyThroughMatrix: ");
    f.matrix(flyThroughMatrix);
    f.number("eyePointX: ", eyePointX);
    f.number("eyePointY: ", eyePointY);
    f.number("eyePointZ: ", eyePointZ);
    f.number("flyThroughYaw: ", flyThroughYaw);
    f.number("pitchThroughYaw: ", pitchThroughYaw);
    f.number("eyeVectorI: ", eyeVectorI);
    f.number("eyeVectorJ: ", eyeVectorJ);
    f.number("eyeVectorK: ", eyeVectorK);
    f.number("flyThroughFlag: ", flyThroughFlag);
    f.number("orthoDrawingFlag: ", orthoDrawingFlag);
    f.number("isValidEyePointFlag: ", isValidEyePointFlag);
    f.number("imageOffsetX: ", imageOffsetX);
    f.number("imageOffsetY: ", imageOffsetY);
    f.number("imageZoom: ", imageZoom);
    f.reservedBytes(reserved1, sizeof reserved1);
    f.reserved(reserved2);
}

void FltRecordEyePointTrackPlane::TrackPlane::describe(FltFields& f)
{
    FltDumpWriter* out = f.dumping();
    // An invalid trackplane shows only that it is not valid.
    if (out && activeFlag != -1) {
        f.literal("activeFlag != -1 (it is not a valid trackplane)");
        return;
    }
    f.number("activeFlag: ", activeFlag);
    f.reserved(reserved1);
    f.number("originX: ", originX);
    f.number("originY: ", originY);
    f.number("originZ: ", originZ);
    f.number("alignmentX: ", alignmentX);
    f.number("alignmentY: ", alignmentY);
    f.number("alignmentZ: ", alignmentZ);
    f.number("planeX: ", planeX);
    f.number("planeY: ", planeY);
    f.number("planeZ: ", planeZ);
    f.number("gridFlag: ", gridFlag);
    f.number("gridType: ", gridType);
    f.number("gridUnder: ", gridUnder);
    f.reserved(reserved2);
    if (out)
        out->line("gridAngle: ", truncatedAngle(gridAngle));
    else
        f.number("gridAngle: ", gridAngle);
    f.number("gridSpacingX: ", gridSpacingX);
    f.number("gridSpacingY: ", gridSpacingY);
    f.number("radialDirectionControl: ", radialDirectionControl);
    f.number("rectangularDirectionControl: ", rectangularDirectionControl);
    f.number("gridSnap: ", gridSnap);
    f.number("gridFlagReserved: ", gridFlagReserved);
    f.reserved(reserved3);
    f.number("gridSize: ", gridSize);
    f.number("gridVisibilityMask: ", gridVisibilityMask);
    f.reserved(reserved4);
    // A valid trackplane's dump closes with an empty line.
    f.emptyLine();
}

void FltRecordEyePointTrackPlane::describe(FltFields& f)
{
    f.reserved(reserved);
    FltCursor* cursor = f.decoding();
    FltDumpWriter* out = f.dumping();
    for (int i = 0; i < entryCount; ++i) {
        if (out)
            (*out << "eyePoint[" << i << "]: *****").endl();
        if (cursor)
            readEyePoint(eyePoints[i], *cursor);
        else
            eyePoints[i].describe(f);
    }
    for (int i = 0; i < entryCount; ++i) {
        if (out)
            (*out << "trackplane[" << i << "]: *****").endl();
        if (cursor)
            readTrackPlane(trackPlanes[i], *cursor);
        else
            trackPlanes[i].describe(f);
    }
}

std::ostream& FltRecordEyePointTrackPlane::printEyePoint(EyePoint eyePoint, std::ostream& os)
{
    return printPart(eyePoint, os);
}

std::ostream& FltRecordEyePointTrackPlane::printTrackPlane(TrackPlane trackPlane, std::ostream& os)
{
    return printPart(trackPlane, os);
}

void FltRecordEyePointTrackPlane::readEyePoint(EyePoint& eyePoint, FltCursor& cursor)
{
    readEntry(eyePoint, cursor);
}

void FltRecordEyePointTrackPlane::readTrackPlane(TrackPlane& trackPlane, FltCursor& cursor)
{
    readEntry(trackPlane, cursor);
}
