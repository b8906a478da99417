#pragma once

#include <memory>
#include <ostream>

#include "FltRecord.h"

// How a texture is projected onto geometry: a transformation, the parameter
// block of the mapping type, and optionally a warp.
class FltRecordTextureMappingPalette : public PaletteFltRecord {
public:
    using PaletteFltRecord::PaletteFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordTextureMappingPalette>; }

    enum MappingType { put = 1, fourPointPut = 2, spherical = 4, radial = 5 };

    // Put mapping, 224 bytes.
    struct PutMapping {
        int32_t toolState = 0;
        int32_t activeGeometryPoint = 0;
        double lowerLeftCorner[3] = {};
        double upperRightCorner[3] = {};
        int32_t sizeFlags[3] = {};
        int32_t reserved = 0;
        double textureOrigin[3] = {};
        double textureAlignment[3] = {};
        double textureShear[3] = {};
        double geometryOrigin[3] = {};
        double geometryAlignment[3] = {};
        double geometryShear[3] = {};
        int32_t activeTexturePoint = 0;
        int32_t displayType = 0;

        void describe(FltFields& f);
    };

    // Four-point put mapping, 416 bytes; the repetitions only in records
    // longer than repetitionsFrom bytes.
    struct FourPointPutMapping {
        static constexpr uint32_t repetitionsFrom = 576;

        int32_t toolState = 0;
        int32_t activeGeometryPoint = 0;
        double lowerLeftCorner[3] = {};
        double upperRightCorner[3] = {};
        int32_t sizeFlags[4] = {};
        double textureOrigin[3] = {};
        double textureAlignment[3] = {};
        double textureShear[3] = {};
        double texturePerspective[3] = {};
        double geometryOrigin[3] = {};
        double geometryAlignment[3] = {};
        double geometryShear[3] = {};
        double geometryPerspective[3] = {};
        int32_t activeTexturePoint = 0;
        int32_t displayType = 0;
        float depthScale = 0;
        int32_t reserved = 0;
        double matrix[4][4] = {};
        float uRepetition = 0;
        float vRepetition = 0;

        void describe(FltFields& f, uint32_t recordLength = 0);
    };

    // Spherical mapping, 40 bytes.
    struct SphericalMapping {
        float scale = 0;
        int32_t reserved = 0;
        double center[3] = {};
        float scaleRatio = 0;
        float maxDimension = 0;

        void describe(FltFields& f);
    };

    // Radial mapping, 192 bytes.
    struct RadialMapping {
        int32_t activeGeometryPoint = 0;
        int32_t reserved = 0;
        float radialScale = 0;
        float lengthScale = 0;
        double matrix[4][4] = {};
        double endPoint1[3] = {};
        double endPoint2[3] = {};

        void describe(FltFields& f);
    };

    // Warped mapping, 392 bytes; points are x then y.
    struct WarpedMapping {
        int32_t activeGeometryPoint = 0;
        int32_t toolState = 0;
        double matrix[4][4] = {};
        double fromPoint[8][2] = {};
        double toPoint[8][2] = {};

        void describe(FltFields& f);
    };

    int32_t reserved = 0;
    int32_t index = 0;
    char name[20] = {};
    int32_t type = 0;
    int32_t warpedFlag = 0;
    double matrix[4][4] = {};
    // Present only when the record carries them.
    std::unique_ptr<PutMapping> putMapping;
    std::unique_ptr<FourPointPutMapping> pointPutMapping;
    std::unique_ptr<SphericalMapping> sphericalMapping;
    std::unique_ptr<RadialMapping> radialMapping;
    std::unique_ptr<WarpedMapping> warpedMapping;

    // Each writes its block's dump, or nothing when the block is absent.
    virtual std::ostream& printPutMapping(std::ostream& os);
    virtual std::ostream& printPointPutMapping(std::ostream& os);
    virtual std::ostream& printSphericalMapping(std::ostream& os);
    virtual std::ostream& printRadialMapping(std::ostream& os);
    virtual std::ostream& printWarpedMapping(std::ostream& os);

protected:
    const char* getTitle() const override { return "\n TEXTURE MAPPING PALETTE RECORD "; }
    void describe(FltFields& f) override;
};
