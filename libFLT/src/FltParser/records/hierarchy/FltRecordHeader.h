#pragma once

#include "FltRecord.h"

// The first record of every file: revision, units, flags, next identifiers
// and geographic placement. Decodes as much as its own revision has.
class FltRecordHeader : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordHeader>; }

    static constexpr int packedColorBit = 30;

    char idASCII[8] = {};
    int32_t formatRevisionLevel = 0;
    int32_t editRevisionLevel = 0;
    char lastRevisionDateTime[32] = {};
    int16_t idNextGroup = 0;
    int16_t idNextLOD = 0;
    int16_t idNextObject = 0;
    int16_t idNextFace = 0;
    int16_t multiplierDiviserUnit = 0;
    uint8_t vertexCoordinateUnits = 0;
    uint8_t textWhite = 0;
    uint32_t flags = 0;
    unsigned char reserved1[24] = {};
    int32_t projectionType = 0;
    unsigned char reserved2[28] = {};
    int16_t idNextDegreeOfFreedom = 0;
    int16_t idVertexStorageType = 0;
    int32_t idDatabaseOrigin = 0;
    double southWestDatabaseCoordinateX = 0;
    double southWestDatabaseCoordinateY = 0;
    double XdeltaToPlaceDatabase = 0;
    double YdeltaToPlaceDatabase = 0;

    // From revision 1420.
    int16_t idNextSound = 0;
    int16_t idNextPath = 0;
    unsigned char reserved3[8] = {};
    int16_t idNextClip = 0;
    int16_t idNextText = 0;
    int16_t idNextBSP = 0;
    int16_t idNextSwitch = 0;
    int32_t reserved4 = 0; // from revision 1500
    double southWestCornerLatitude = 0;
    double southWestCornerLongitude = 0;
    double northEastCornerLatitude = 0;
    double northEastCornerLongitude = 0;
    double originLatitude = 0;
    double originLongitude = 0;
    double LambertUpperLatitude = 0;
    double LambertLowerLatitude = 0;
    int16_t idNextLightSource = 0;
    int16_t idNextLightPoint = 0;
    int16_t idNextRoad = 0;
    int16_t idNextCat = 0;
    unsigned char reserved5[8] = {};
    int32_t earthEllipsoidModel = 0;

    // From revision 1540.
    int16_t idNextAdaptive = 0;
    int16_t idNextCurve = 0;       // from 1550
    int16_t reserved6 = 0;         // below 1580
    int16_t utmZone = 0;           // from 1580
    unsigned char reserved7[6] = {}; // from 1580
    double ZdeltaToPlaceDatabase = 0; // from 1570
    double radius = 0;
    uint16_t idNextMesh = 0;
    uint16_t reserved8 = 0;           // 1570 to 1579
    int16_t idNextLightPointSystem = 0; // from 1580
    int32_t reserved9 = 0;
    double earthMajorAxis = 0;
    double earthMinorAxis = 0;

protected:
    const char* getTitle() const override { return "\n HEADER RECORD "; }
    bool echoesShortness() const override { return true; }
    void describe(FltFields& f) override;
};
