#include "FltRecordHeader.h"

void FltRecordHeader::describe(FltFields& f)
{
    f.reservedBytes(idASCII, sizeof idASCII);
    f.number("formatRevisionLevel: ", formatRevisionLevel);
    f.number("editRevisionLevel: ", editRevisionLevel);
    f.text("lastRevisionDateTime: ", lastRevisionDateTime, sizeof lastRevisionDateTime);
    f.number("idNextGroup: ", idNextGroup);
    f.number("idNextLOD: ", idNextLOD);
    f.number("idNextObject: ", idNextObject);
    // The face counter is shown as the unsigned 32-bit form of its sign extension.
    if (FltDumpWriter* out = f.dumping())
        out->line("idNextFace: ", static_cast<uint32_t>(int32_t{idNextFace}));
    else
        f.number("idNextFace: ", idNextFace);
    f.number("multiplierDiviserUnit: ", multiplierDiviserUnit);
    f.number("vertexCoordinateUnits: ", vertexCoordinateUnits);
    f.number("textWhite: ", textWhite);
    f.flags("flags: ", flags,
            {{31, "        Save vertex normals: "},
             {30, "        Packed Color mode: "},
             {29, "        CAD View mode: "}});
    f.reservedBytes(reserved1, sizeof reserved1);
    f.number("projectionType: ", projectionType);
    f.reservedBytes(reserved2, sizeof reserved2);
    f.number("idNextDegreeOfFreedom: ", idNextDegreeOfFreedom);
    f.number("idVertexStorageType: ", idVertexStorageType);
    f.number("idDatabaseOrigin: ", idDatabaseOrigin);
    f.number("southWestDatabaseCoordinateX: ", southWestDatabaseCoordinateX);
    f.number("southWestDatabaseCoordinateY: ", southWestDatabaseCoordinateY);
    f.number("XdeltaToPlaceDatabase: ", XdeltaToPlaceDatabase);
    f.number("YdeltaToPlaceDatabase: ", YdeltaToPlaceDatabase);

    const int32_t revision = formatRevisionLevel;
    if (revision >= 1420) {
        f.number("idNextSound: ", idNextSound);
        f.number("idNextPath: ", idNextPath);
        f.reservedBytes(reserved3, sizeof reserved3);
        f.number("idNextClip: ", idNextClip);
        f.number("idNextText: ", idNextText);
        f.number("idNextBSP: ", idNextBSP);
        f.number("idNextSwitch: ", idNextSwitch);
        if (revision >= 1500)
            f.reserved(reserved4);
        f.number("southWestCornerLatitude: ", southWestCornerLatitude);
        f.number("southWestCornerLongitude: ", southWestCornerLongitude);
        f.number("northEastCornerLatitude: ", northEastCornerLatitude);
        f.number("northEastCornerLongitude: ", northEastCornerLongitude);
        f.number("originLatitude: ", originLatitude);
        f.number("originLongitude: ", originLongitude);
        f.number("LambertUpperLatitude: ", LambertUpperLatitude);
        f.number("LambertLowerLatitude: ", LambertLowerLatitude);
        f.number("idNextLightSource: ", idNextLightSource);
        f.number("idNextLightPoint: ", idNextLightPoint);
        f.number("idNextRoad: ", idNextRoad);
        f.number("idNextCat: ", idNextCat);
        f.reservedBytes(reserved5, sizeof reserved5);
        f.number("earthEllipsoidModel: ", earthEllipsoidModel);
    }
    if (revision >= 1540) {
        f.number("idNextAdaptive : ", idNextAdaptive);
        if (revision >= 1550)
            f.number("idNextCurve: ", idNextCurve);
        if (revision >= 1580) {
            f.number("utmZone: ", utmZone);
            f.reservedBytes(reserved7, sizeof reserved7);
        } else {
            f.reserved(reserved6);
        }
        if (revision >= 1570) {
            f.number("ZdeltaToPlaceDatabase: ", ZdeltaToPlaceDatabase);
            f.number("radius: ", radius);
            f.number("idNextMesh: ", idNextMesh);
            if (revision >= 1580) {
                f.number("idNextLightPointSystem: ", idNextLightPointSystem);
                f.reserved(reserved9);
                f.number("earthMajorAxis: ", earthMajorAxis);
                f.number("earthMinorAxis: ", earthMinorAxis);
            } else {
                f.reserved(reserved8);
            }
        }
    }
    f.emptyLine();
}
