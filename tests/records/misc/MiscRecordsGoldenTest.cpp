// Golden transcripts of the bounding volume, clip region, extension, light,
// sound, text, eyepoint/trackplane and palette records: one per family,
// compared whole so that a changed label, space or number format shows up.

#include <gtest/gtest.h>

#include "FltRecordClipRegion.h"
#include "FltRecordEyePointTrackPlane.h"
#include "FltRecordExtensionAttribute.h"
#include "FltRecordSoundPalette.h"
#include "FltTestWriter.h"
#include "MiscRecordDumps.h"

TEST(MiscRecordsGolden, BoundingVolumes)
{
    FltTestWriter w;
    w.record(51).i32(-1).i32(2).i32(3).i32(4).i32(5).i32(6);
    w.record(74).i32(0).f64(-1.5).f64(2).f64(3).f64(4.25).f64(1e-7).f64(6378137.0);
    w.record(105).i32(0).f64(12.5);
    w.record(106).i32(0).f64(1).f64(1.0 / 3);
    w.record(108).i32(0).f64(1).f64(2).f64(3);
    w.record(109).i32(0).f64(90).f64(-45).f64(0.1);
    const std::string expected =
        dumpHead("OLD BOUNDING BOX", "ANCILLARY", 51, 28) +
        "XcoordinateLowestCorner: -1\nYcoordinateLowestCorner: 2\nZcoordinateLowestCorner: 3\n"
        "XcoordinateHighestCorner: 4\nYcoordinateHighestCorner: 5\nZcoordinateHighestCorner: 6\n" +
        dumpHead("BOUNDING BOX", "ANCILLARY", 74, 56) +
        "XcoordinateLowestCorner: -1.5\nYcoordinateLowestCorner: 2\nZcoordinateLowestCorner: 3\n"
        "XcoordinateHighestCorner: 4.25\nYcoordinateHighestCorner: 1e-07\n"
        "ZcoordinateHighestCorner: 6.37814e+06\n" +
        dumpHead("BOUNDING VOLUME SPHERE", "ANCILLARY", 105, 16) +
        "radius: 12.5\n" +
        dumpHead("BOUNDING VOLUME CYLINDER", "ANCILLARY", 106, 24) +
        "radius: 1\nheitght: 0.333333\n" +
        dumpHead("BOUNDING VOLUME CENTER", "ANCILLARY", 108, 32) +
        "XcoordinateCenter: 1\nYcoordinateCenter: 2\nZcoordinateCenter: 3\n" +
        dumpHead("BOUNDING VOLUME ORIENTATION", "ANCILLARY", 109, 32) +
        "yawAngle: 90\npitchAngle: -45\nrollAngle: 0.1\n";
    EXPECT_EQ(dumpRecords(w.bytes()), expected);
}

TEST(MiscRecordsGolden, ClipRegionAndExtensionAttribute)
{
    FltTestWriter w;
    w.record(98).text("clip1", 8).i32(7).i16(-2).bytes({1, 0, 1, 2, 1, 1});
    for (double corner : {0.0, 0.0, 0.0, 10.0, 0.0, 0.0, 10.0, 10.5, 0.0, 0.0, 10.5, 0.0})
        w.f64(corner);
    for (int i = 0; i < 20; ++i)
        w.f64(i + 0.5);
    w.record(100).text("ext", 8).text("SITE0001", 8).i8(0).i8(-3).u16(65535).zeros(15).u8(0xAB);
    const std::vector<uint8_t> image = w.bytes();
    const std::string expected =
        dumpHead("CLIP REGION RECORD", "PRIMARY", 98, 280) +
        "idASCII: clip1\nreserved1: 7\nreserved2: -2\nflags: 1 0 1 2 1 1\nclipRegion1: 0 0 0\n"
        "clipRegion2: 10 0 0\nclipRegion3: 10 10.5 0\nclipRegion4: 0 10.5 0\nclipRegionCoefs: \n"
        "|  0.5  1.5  2.5  3.5  4.5    |\n|  5.5  6.5  7.5  8.5  9.5    |\n"
        "|  10.5  11.5  12.5  13.5  14.5    |\n|  15.5  16.5  17.5  18.5  19.5    |\n" +
        dumpHead("EXTENSION ATTRIBUTE RECORD", "ANCILLARY", 100, 40) +
        "idASCII: ext\nidSite: SITE0001\nrevision: -3\nrecordCode: 65535\n";
    EXPECT_EQ(dumpRecords(image), expected);

    FltRecordClipRegion clip(280);
    clip.read(image.data());
    const bool expectedOn[6] = {true, false, true, false, true, false};
    for (int plane = 0; plane < 6; ++plane)
        EXPECT_EQ(clip.isPlaneOn(plane), expectedOn[plane]) << plane;
    EXPECT_EQ(clip.clipRegionCoefs[1][0], 5.5); // coefficient B of plane 0
    FltRecordExtensionAttribute extension(40);
    extension.read(image.data() + 280);
    ASSERT_EQ(extension.extendedData.size(), 16u);
    EXPECT_EQ(extension.extendedData[15], 0xAB);
}

TEST(MiscRecordsGolden, Lights)
{
    FltTestWriter w;
    w.record(101).text("lamp", 8).i32(0).i32(3).i32(0).bytes({0, 0, 0, 0x90}).i32(0);
    w.f64(1).f64(2).f64(3).f32(45.5f).f32(-10);
    w.record(111).text("lp1", 8).i16(-1).i16(2).bytes({0xFF, 0x00, 0x80, 0x40}).i32(1);
    for (int i = 0; i < 4; ++i)
        w.f32(i * 0.25f);
    w.i32(1).i32(2).i32(3).i32(4);
    for (int i = 0; i < 8; ++i)
        w.f32(i + 0.5f);
    w.f32(99).f32(7).i32(-1);
    for (int i = 0; i < 9; ++i)
        w.f32(-i * 1.5f);
    w.i32(12).u32(0x80000001).f32(0).f32(0.5f).f32(1);
    w.record(102).i32(7).zeros(8).text("sun", 20).i32(0);
    for (float c : {0.1f, 0.2f, 0.3f, 1.0f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.0f, 0.0f})
        w.f32(c);
    w.i32(2).zeros(40).f32(2).f32(45).f32(0).f32(-90).f32(1).f32(0.5f).f32(0.25f).i32(1).zeros(76);
    const std::string expected =
        dumpHead("LIGHT SOURCE RECORD", "PRIMARY", 101, 64) +
        "idASCII: lamp\nindexIntoLightPalette: 3\nflags: \n     enabled: 1\n     global: 0\n"
        "     export: 1\nlocalOrSpotPositionCoordinateX: 1\nlocalOrSpotPositionCoordinateY: 2\n"
        "localOrSpotPositionCoordinateZ: 3\ninfiniteOrSpotYaw: 45.5\ninfiniteOrSpotPitch: -10\n" +
        dumpHead("LIGHT POINT RECORD", "PRIMARY", 111, 156) +
        "idASCII: lp1\nsurfaceMaterial: -1\nfeatureID: 2\n"
        "backColor (ABGR) : 1 0 0.501961 0.25098\ndisplayMode: 1\nfrontIntensity: 0\n"
        "backIntensity: 0.25\nminDefocus: 0.5\nmaxDefocus: 0.75\nfadeMode: 1\nfogPunchMode: 2\n"
        "directionalMode: 3\nrangeMode: 4\nminPixelSize: 0.5\nmaxPixelSize: 1.5\n"
        "actualPixelSize: 2.5\ntranspFalloff: 3.5\ntranspFalloffExponent: 4.5\n"
        "transpFalloffScalar: 5.5\ntranspFalloffClamp: 6.5\nfog: 7.5\nsize: 7\ndirection: -1\n"
        "lobeHorizontal: 0\nlobeVertical: -1.5\nlobeRoll: -3\nfalloff: -4.5\n"
        "ambientIntensity: -6\nanimPeriod: -7.5\nanimPhaseDelay: -9\nanimEnabledPeriod: -10.5\n"
        "significance: -12\ndrawOrder: 12\nflags: 0000000080000001\nanimRotation: 0 0.5 1\n" +
        dumpHead("LIGHT SOURCE PALETTE RECORD", "PALETTE", 102, 240) +
        " paletteIndex: 7\n lightSourceName: sun\n\n ambientRed: 0.1\n ambientGreen: 0.2\n"
        " ambientBlue: 0.3\n ambientAlpha : 1\n\n diffuseRed : 0.5\n diffuseGreen : 0.6\n"
        " diffuseBlue: 0.7\n diffuseAlpha: 0.8\n\n specularRed: 0.9\n specularGreen: 1\n"
        " specularBlue: 1\n specularAlpha: 0\n\n lightType: 2\n spotExponentialDropoffTerm : 2\n"
        " spotCutoffAngle: 45\n yaw: 0\n pitch: -90\n constantAttenuationCoefficient: 1\n"
        " linearAttenuationCoefficient: 0.5\n quadraticAttenuationCoefficient: 0.25\n"
        " modelingLight: 1\n";
    EXPECT_EQ(dumpRecords(w.bytes()), expected);
}

TEST(MiscRecordsGolden, SoundAndText)
{
    FltTestWriter w;
    w.record(91).text("snd", 8).i32(0).i32(4).i32(0).f64(1.5).f64(-2).f64(3);
    w.f32(0).f32(0).f32(1).f32(0.8f).f32(1).f32(2).f32(3).f32(90).i32(-1).i32(0);
    w.record(95).text("txt1", 8).i32(0).i32(0).i32(0).i32(1).i32(2).f64(3.14159265).i32(-7);
    w.zeros(20).i32(0x40000000).i32(3).i32(4).i32(5).i32(0).i32(2).i32(16).i32(11).i32(1).i32(0);
    w.i32(-5).i32(5).f64(-0.5).f64(0.5).f64(0).f64(0).f64(0).f64(100).f64(20).f64(0);
    w.text("Helvetica", 120).i32(0).i32(1).i32(0).i32(1).i32(2).i32(0);
    std::string dumps = dumpRecords(w.bytes());

    // A sound palette header part, then its data part read into the same
    // object (as the factory hands it on); each read is dumped.
    FltTestWriter header, data;
    header.record(93).i32(1).i32(8).i32(3).i32(40).zeros(12);
    header.i32(5).i32(0).i32(10).i32(2).i32(0).i32(0).i32(5).i32(0).i32(20);
    data.record(93).i32(2).i32(12).text("a.wav", 6).text("b.wav", 6).zeros(4);
    FltRecordSoundPalette palette(68);
    dumps += decodeAndDump(palette, header.bytes());
    dumps += decodeAndDump(palette, data.bytes());
    const std::string expected =
        dumpHead("SOUND RECORD", "PRIMARY", 91, 88) +
        "idASCII: snd\nindex: 4\norigin: 1.5,-2,3\ndirection: 0,0,1\namplitude: 0.8\npitch: 1\n"
        "priority: 2\nfalloff: 3\nwidth: 90\nflags: FFFFFFFFFFFFFFFF\n" +
        dumpHead("TEXT RECORD", "PRIMARY", 95, 320) +
        "idASCII: txt1\ntextType: 0\ndrawType: 1\njustification: 2\nfloatValue: 3.14159\n"
        "intValue: -7\nflags: 0000000040000000\ncolor: 3\ncolor2: 4\nmaterial: 5\n"
        "maxLineNumber: 2\nmaxCharNumber: 16\ntextLength: 11\nnextLineNumber: 1\n"
        "lineNumberAtTopOfDisplay: 0\nvaluesForInt: -5 5\nvaluesForFloat: -0.5 0.5\n"
        "XlowerLeftCorner: 0\nYlowerLeftCorner: 0\nZlowerLeftCorner: 0\nXupperRightCorner: 100\n"
        "YupperRightCorner: 20\nZupperRightCorner: 0\nfontName: Helvetica\ndrawVertical: 0\n"
        "drawItalic: 1\ndrawBold: 0\ndrawUnderline: 1\nlineStyle: 2\n" +
        dumpHead("SOUND PALETTE RECORD", "PALETTE", 93, 68) +
        "subType : 1\nmaxNumber : 8\nactualNumber : 3\ntotalLength : 40\nfileNameOffset[2] : 0\n"
        "fileNameOffset[5] : 20\n" +
        dumpHead("SOUND PALETTE RECORD", "PALETTE", 93, 68) +
        "subType : 3\nmaxNumber : 8\nactualNumber : 3\ntotalLength : 40\nfileNameOffset[2] : 0\n"
        "fileNameOffset[5] : 20\nsubType : 3\ndataLength : 12\npackedData : a.wav\n";
    EXPECT_EQ(dumps, expected);
}

TEST(MiscRecordsGolden, EyePointTrackPlane)
{
    FltTestWriter w;
    w.record(83).i32(0);
    // Ten eyepoints alike but for their zoom, which tells them apart.
    for (int e = 0; e < 10; ++e) {
        w.f64(1).f64(2).f64(3).f32(10).f32(20).f32(30);
        for (int i = 0; i < 16; ++i)
            w.f32(i % 5 == 0 ? 1.0f : 0.0f);
        w.f32(60).f32(1.5f).f32(0.1f).f32(5000);
        for (int i = 0; i < 16; ++i)
            w.f32(float(i));
        w.f32(-1).f32(-2).f32(-3).f32(4).f32(5).f32(0).f32(0.5f).f32(-1);
        w.i32(1).i32(0).i32(1).i32(2).i32(-3).i32(e).zeros(36);
    }
    // Trackplane 0 valid, the other nine not.
    w.i32(-1).i32(0);
    for (int i = 1; i <= 9; ++i)
        w.f64(i);
    w.i8(1).i8(2).i8(-1).i8(0).f32(45.7f).f64(0.25).f64(0.5).i8(3).i8(4).i8(5).i8(6).i32(0);
    w.f64(1000).i32(255).i32(0).zeros(128 * 9);

    const std::string eyePoint =
        "centerX: 1\ncenterY: 2\ncenterZ: 3\nyawAngle: 10\npitchAngle: 20\nrollAngle: 30\n"
        "rotationMatrix: \n|  1  0  0  0    |\n|  0  1  0  0    |\n|  0  0  1  0    |\n"
        "|  0  0  0  1    |\nviewField: 60\nscale: 1.5\nnearClippingPlane: 0.1\n"
        "farClippingPlane: 5000\nflyThroughMatrix: \n|  0  1  2  3    |\n|  4  5  6  7    |\n"
        "|  8  9  10  11    |\n|  12  13  14  15    |\neyePointX: -1\neyePointY: -2\n"
        "eyePointZ: -3\nflyThroughYaw: 4\npitchThroughYaw: 5\neyeVectorI: 0\neyeVectorJ: 0.5\n"
        "eyeVectorK: -1\nflyThroughFlag: 1\northoDrawingFlag: 0\nisValidEyePointFlag: 1\n"
        "imageOffsetX: 2\nimageOffsetY: -3\n";
    std::string expected = dumpHead("EYEPOINT TRACKPLANE RECORD", "PALETTE", 83, 4008);
    for (int i = 0; i < 10; ++i)
        expected += "eyePoint[" + std::to_string(i) + "]: *****\n" + eyePoint + "imageZoom: " +
                    std::to_string(i) + "\n";
    expected +=
        "trackplane[0]: *****\nactiveFlag: -1\noriginX: 1\noriginY: 2\noriginZ: 3\nalignmentX: 4\n"
        "alignmentY: 5\nalignmentZ: 6\nplaneX: 7\nplaneY: 8\nplaneZ: 9\ngridFlag: 1\ngridType: 2\n"
        "gridUnder: -1\ngridAngle: 45\ngridSpacingX: 0.25\ngridSpacingY: 0.5\n"
        "radialDirectionControl: 3\nrectangularDirectionControl: 4\ngridSnap: 5\n"
        "gridFlagReserved: 6\ngridSize: 1000\ngridVisibilityMask: 255\n\n";
    for (int i = 1; i < 10; ++i)
        expected += "trackplane[" + std::to_string(i) +
                    "]: *****\nactiveFlag != -1 (it is not a valid trackplane)\n";
    EXPECT_EQ(dumpRecords(w.bytes()), expected);
}

TEST(MiscRecordsGolden, TextureMappingPalettes)
{
    FltTestWriter w;
    auto start = [&w](int32_t type, int32_t warped, const char* name) {
        w.record(112).i32(0).i32(type * 10).text(name, 20).i32(type).i32(warped);
        for (int i = 0; i < 16; ++i)
            w.f64(i == 0 || i == 5 || i == 10 || i == 15 ? 1 : 0);
    };
    start(1, 0, "put");
    w.i32(1).i32(2);
    for (int i = 0; i < 6; ++i)
        w.f64(i);
    w.i32(1).i32(0).i32(1).i32(0);
    for (int i = 0; i < 18; ++i)
        w.f64(i * 0.5);
    w.i32(3).i32(4);
    start(2, 1, "fourpoint");
    w.i32(5).i32(6).zeros(48).i32(1).i32(2).i32(3).i32(4);
    for (int i = 0; i < 24; ++i)
        w.f64(-i);
    w.i32(7).i32(8).f32(0.75f).i32(0);
    for (int i = 0; i < 16; ++i)
        w.f64(i + 0.25);
    w.f32(2).f32(3);
    w.i32(9).i32(10);
    for (int i = 0; i < 16; ++i)
        w.f64(i == 0 || i == 5 || i == 10 || i == 15 ? 2 : 0);
    for (int i = 0; i < 32; ++i)
        w.f64(i);
    start(4, 0, "sphere");
    w.f32(1.5f).i32(0).f64(1).f64(2).f64(3).f32(0.5f).f32(100);
    start(5, 0, "radial");
    w.i32(11).i32(0).f32(2.5f).f32(4);
    for (int i = 0; i < 16; ++i)
        w.f64(i == 0 || i == 5 || i == 10 || i == 15 ? 1 : 0);
    w.f64(0).f64(0).f64(-1).f64(0).f64(0).f64(1);
    const std::string expected =
        dumpHead("TEXTURE MAPPING PALETTE RECORD", "PALETTE", 112, 392) +
        " index: 10\n name: put\n type: 1\n warpedFlag: 0\nPut Texture Mapping : \n"
        "  toolState: 1\n  activeGeometryPoint: 2\n  lowerLeftCorner : (0,1,2)\n"
        "  upperRightCorner : (3,4,5)\n  sizeFlags : (1,0,1)\n  textureOrigin : (0,0.5,1)\n"
        "  textureAlignment : (1.5,2,2.5)\n  textureShear : (3,3.5,4)\n"
        "  geometryOrigin : (4.5,5,5.5)\n  geometryAlignment : (6,6.5,7)\n"
        "  geometryShear : (7.5,8,8.5)\n  activeTexturePoint : 3\n  displayType : 4\n" +
        dumpHead("TEXTURE MAPPING PALETTE RECORD", "PALETTE", 112, 976) +
        " index: 20\n name: fourpoint\n type: 2\n warpedFlag: 1\nPoint Put Texture Mapping : \n"
        "  toolState: 5\n  activeGeometryPoint: 6\n  lowerLeftCorner : (0,0,0)\n"
        "  upperRightCorner : (0,0,0)\n  sizeFlags : (1,2,3,4)\n  textureOrigin : (0,-1,-2)\n"
        "  textureAlignment : (-3,-4,-5)\n  textureShear : (-6,-7,-8)\n"
        "  texturePerspective : (-9,-10,-11)\n  geometryOrigin : (-12,-13,-14)\n"
        "  geometryAlignment : (-15,-16,-17)\n  geometryShear : (-18,-19,-20)\n"
        "  geometryPerspective : (-21,-22,-23)\n  activeTexturePoint : 7\n  depthScale : 0.75\n"
        "|  0.25  1.25  2.25  3.25    |\n|  4.25  5.25  6.25  7.25    |\n"
        "|  8.25  9.25  10.25  11.25    |\n|  12.25  13.25  14.25  15.25    |\n"
        "Warped Texture Mapping : \nactiveGeometryPoint : 9\ntoolState : 10\n|  2  0  0  0    |\n"
        "|  0  2  0  0    |\n|  0  0  2  0    |\n|  0  0  0  2    |\n  fromPoint : (0,1)\n"
        "  fromPoint : (2,3)\n  fromPoint : (4,5)\n  fromPoint : (6,7)\n  fromPoint : (8,9)\n"
        "  fromPoint : (10,11)\n  fromPoint : (12,13)\n  fromPoint : (14,15)\n"
        "  toPoint : (16,17)\n  toPoint : (18,19)\n  toPoint : (20,21)\n  toPoint : (22,23)\n"
        "  toPoint : (24,25)\n  toPoint : (26,27)\n  toPoint : (28,29)\n  toPoint : (30,31)\n" +
        dumpHead("TEXTURE MAPPING PALETTE RECORD", "PALETTE", 112, 208) +
        " index: 40\n name: sphere\n type: 4\n warpedFlag: 0\nSpherical Texture Mapping : \n"
        "  scale : 1.5\n  center : (1,2,3)\n  scaleRatio : 0.5\n  maxDimension : 100\n" +
        dumpHead("TEXTURE MAPPING PALETTE RECORD", "PALETTE", 112, 360) +
        " index: 50\n name: radial\n type: 5\n warpedFlag: 0\nRadial Texture Mapping : \n"
        "activeGeometryPoint : 11\nradialScale : 2.5\nlengthScale : 4\n|  1  0  0  0    |\n"
        "|  0  1  0  0    |\n|  0  0  1  0    |\n|  0  0  0  1    |\n  endPoint1 : (0,0,-1)\n"
        "  endPoint2 : (0,0,1)\n";
    EXPECT_EQ(dumpRecords(w.bytes()), expected);
}
