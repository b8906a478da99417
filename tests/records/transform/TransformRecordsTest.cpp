#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FltRecords.h"
#include "FltTestWriter.h"
#include "FltWarningMessageConsole.h"
#include "Flt_15_7_CreationVisitor.h"
#include "TestFiles.h"

namespace {

std::string head(const char* title, int opcode, std::size_t length)
{
    return std::string(title) + "\n  (ANCILLARY_RECORD)\n-- Opcode: " + std::to_string(opcode) +
           "  Length: " + std::to_string(length) + " --\n";
}

// Decodes one record through the factory and returns its dump.
std::string dump(const std::vector<uint8_t>& bytes, std::unique_ptr<FltRecord>* keep = nullptr)
{
    std::unique_ptr<FltRecord> record(Flt_15_7_CreationVisitor::instantiate(
        (bytes[0] << 8) | bytes[1], static_cast<uint32_t>(bytes.size())));
    const std::string text = decodeAndDump(*record, bytes);
    if (keep)
        *keep = std::move(record);
    return text;
}

// A record of the opcode: reserved word, then `count` doubles 1, 2, 3, ...
FltTestWriter counting(int16_t opcode, int count)
{
    FltTestWriter w;
    w.record(opcode).i32(-1);
    for (int i = 1; i <= count; ++i)
        w.f64(i);
    return w;
}

std::vector<uint8_t> putTransform(std::size_t length)
{
    std::vector<uint8_t> bytes = counting(82, 18).f32(45).bytes();
    bytes.resize(length);
    return bytes;
}

} // namespace

TEST(TransformRecords, GoldenTranscripts)
{
    FltTestWriter matrix;
    matrix.record(49);
    for (float v : {1.f, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 10.f, 20.f, 30.f, 1.f})
        matrix.f32(v);
    std::vector<uint8_t> general = matrix.bytes();
    general[1] = 94;
    const std::string rows = "|  1  0  0  0    |\n|  0  1  0  0    |\n|  0  0  1  0    |\n"
                             "|  10  20  30  1    |\n";

    EXPECT_EQ(dump(matrix.bytes()) + dump(general) +
                  dump(FltTestWriter().record(50).f32(0).f32(0.5f).f32(1).bytes()) +
                  dump(counting(78, 3).f64(-0.25).f64(6378137).f64(1e-7).bytes()) +
                  dump(counting(76, 6).f32(90).zeros(4).bytes()) +
                  dump(counting(79, 3).f32(2).f32(3).f32(4).zeros(4).bytes()) +
                  dump(counting(80, 3).f32(0).f32(0).f32(1).f32(-30).bytes()) +
                  dump(putTransform(156)),
              head("\n MATRIX RECORD ", 49, 68) + rows +
                  head("\n GENERAL_MATRIX RECORD ", 94, 68) + rows +
                  head("\n VECTOR RECORD ", 50, 16) + "i=0  j=0.5  k=1\n" +
                  head("\n TRANSLATE RECORD ", 78, 56) +
                  "x=1  y=2  z=3\ndeltaX=-0.25  deltaY=6.37814e+06  deltaZ=1e-07\n" +
                  head("\n ROTATE ABOUT EDGE RECORD ", 76, 64) +
                  "XCenter1: 1\nYCenter1: 2\nZCenter1: 3\nXCenter2: 4\nYCenter2: 5\nZCenter2: 6\n"
                  "angleToRotate: 90\n" +
                  head("\n SCALE NON UNIFORM RECORD ", 79, 48) +
                  "XCenter.: 1\nYCenter: 2\nZCenter: 3\nXScaleFactor: 2\nYScaleFactor: 3\n"
                  "ZScaleFactor: 4\n" +
                  head("\n ROTATE ABOUT POINT RECORD ", 80, 48) +
                  "XCenterOfRotation: 1\nYCenterOfRotation: 2\nZCenterOfRotation: 3\n"
                  "IAxisOfRotation: 0\nJAxisOfRotation: 0\nKAxisOfRotation: 1\nangleToRotate: -30\n" +
                  head("\n PUT TRANSFORM RECORD ", 82, 156) +
                  "XFromOrigin: 1\nYFromOrigin: 2\nZFromOrigin: 3\nXFromAlign: 4\nYFromAlign: 5\n"
                  "ZFromAlign: 6\nXFromTrack: 7\nYFromTrack: 8\nZFromTrack: 9\nXToOrigin: 10\n"
                  "YToOrigin: 11\nZToOrigin: 12\nXToAlign: 13\nYToAlign: 14\nZToAlign: 15\n"
                  "XToTrack: 16\nYToTrack: 17\nZToTrack: 18\nangleToRotate: 45\n");
}

TEST(TransformRecords, TruncatedAndLyingRecords)
{
    const FltWarningMessageConsole& warnings = FltWarningMessageConsole::instance();
    std::unique_ptr<FltRecord> kept;

    // A put transform of 152 bytes has no angle, and that is not a short record.
    std::size_t before = warnings.count();
    EXPECT_NE(dump(putTransform(152), &kept).find("ZToTrack: 18\nangleToRotate: 0\n"), std::string::npos);
    EXPECT_EQ(warnings.count(), before);

    // Cut inside a coordinate: the rest keeps zero, and the record is reported once.
    dump(putTransform(150), &kept);
    EXPECT_EQ(dynamic_cast<FltRecordPutTransform&>(*kept).YToTrack, 17);
    EXPECT_EQ(dynamic_cast<FltRecordPutTransform&>(*kept).ZToTrack, 0);
    EXPECT_EQ(warnings.count(), before + 1);

    // Every length of every class, up to beyond its layout.
    for (int opcode : {49, 50, 76, 78, 79, 80, 82, 94}) {
        for (std::size_t length = 4; length <= 200; ++length) {
            std::vector<uint8_t> bytes(length, 0x41);
            bytes[0] = 0;
            bytes[1] = static_cast<uint8_t>(opcode);
            const std::string text = dump(bytes, &kept);
            ASSERT_EQ(kept->getOpcode(), opcode);
            ASSERT_NE(text.find("  (ANCILLARY_RECORD)\n-- Opcode: " + std::to_string(opcode)),
                      std::string::npos);
        }
    }
}
