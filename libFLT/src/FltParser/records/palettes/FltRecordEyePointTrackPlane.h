#pragma once

#include <ostream>

#include "FltRecord.h"

// The ten saved viewing positions and the ten modelling grids of a database.
class FltRecordEyePointTrackPlane : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordEyePointTrackPlane>; }

    static constexpr int entryCount = 10;

    // One saved view, 272 bytes.
    struct EyePoint {
        double centerX = 0;
        double centerY = 0;
        double centerZ = 0;
        float yawAngle = 0;
        float pitchAngle = 0;
        float rollAngle = 0;
        float rotationMatrix[4][4] = {};
        float viewField = 0;
        float scale = 0;
        float nearClippingPlane = 0;
        float farClippingPlane = 0;
        float flyThroughMatrix[4][4] = {};
        float eyePointX = 0;
        float eyePointY = 0;
        float eyePointZ = 0;
        float flyThroughYaw = 0;
        float pitchThroughYaw = 0;
        float eyeVectorI = 0;
        float eyeVectorJ = 0;
        float eyeVectorK = 0;
        int32_t flyThroughFlag = 0;
        int32_t orthoDrawingFlag = 0;
        int32_t isValidEyePointFlag = 0;
        int32_t imageOffsetX = 0;
        int32_t imageOffsetY = 0;
        int32_t imageZoom = 0;
        unsigned char reserved1[32] = {};
        int32_t reserved2 = 0;

        void describe(FltFields& f);
    };

    // One modelling grid, 128 bytes; valid only when activeFlag is -1.
    struct TrackPlane {
        int32_t activeFlag = 0;
        int32_t reserved1 = 0;
        double originX = 0;
        double originY = 0;
        double originZ = 0;
        double alignmentX = 0;
        double alignmentY = 0;
        double alignmentZ = 0;
        double planeX = 0;
        double planeY = 0;
        double planeZ = 0;
        int8_t gridFlag = 0;
        int8_t gridType = 0;
        int8_t gridUnder = 0;
        int8_t reserved2 = 0;
        float gridAngle = 0;
        double gridSpacingX = 0;
        double gridSpacingY = 0;
        int8_t radialDirectionControl = 0;
        int8_t rectangularDirectionControl = 0;
        int8_t gridSnap = 0;
        // The reserved byte beside the grid flags; the dump shows it as "gridFlagReserved: ".
        int8_t gridFlagReserved = 0;
        int32_t reserved3 = 0;
        double gridSize = 0;
        int32_t gridVisibilityMask = 0;
        int32_t reserved4 = 0;

        void describe(FltFields& f);
    };

    int32_t reserved = 0;
    EyePoint eyePoints[entryCount];
    TrackPlane trackPlanes[entryCount];

    virtual std::ostream& printEyePoint(EyePoint eyePoint, std::ostream& os);
    virtual std::ostream& printTrackPlane(TrackPlane trackPlane, std::ostream& os);
    // Each decodes one entry at the cursor and leaves the cursor behind it.
    virtual void readEyePoint(EyePoint& eyePoint, FltCursor& cursor);
    virtual void readTrackPlane(TrackPlane& trackPlane, FltCursor& cursor);

protected:
    const char* getTitle() const override { return "\n EYEPOINT TRACKPLANE RECORD "; }
    void describe(FltFields& f) override;
};
