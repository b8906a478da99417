// Big-endian decoding over a bounded cursor, and the transcript's number forms.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "FltDecode.h"
#include "FltDumpWriter.h"
#include "FltRawData.h"
#include "FltRealText.h"

TEST(Decode, BigEndianValuesOfEveryWidth)
{
    const unsigned char int16Bytes[] = {0xFF, 0xFE};
    const unsigned char floatBytes[] = {0x3F, 0x80, 0x00, 0x00};
    const unsigned char doubleBytes[] = {0x3F, 0xF0, 0, 0, 0, 0, 0, 0};
    const unsigned char uint32Bytes[] = {0xFF, 0x10, 0x20, 0x30};
    EXPECT_EQ(fromBigEndian<int16_t>(int16Bytes), -2);
    EXPECT_EQ(fromBigEndian<float>(floatBytes), 1.0f);
    EXPECT_EQ(fromBigEndian<double>(doubleBytes), 1.0);
    EXPECT_EQ(fromBigEndian<uint32_t>(uint32Bytes), 0xFF102030u);

    const unsigned char header[] = {0x00, 0x01, 0x00, 0xBC};
    FltRawData raw;
    raw.setHeader(header, 0);
    EXPECT_EQ(raw.opcode, 1);
    EXPECT_EQ(raw.length, 188);
}

TEST(Decode, CursorNeverReadsPastItsEnd)
{
    const unsigned char bytes[] = {0x00, 0x07, 0x12, 0x34, 0x56};
    FltCursor cursor(bytes, bytes + sizeof bytes);
    int16_t a = 0;
    int32_t b = -1;
    char text[4] = {'x', 'x', 'x', 'x'};
    readField(a, cursor);
    readField(b, cursor); // only 3 bytes left: untouched
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, -1);
    EXPECT_TRUE(cursor.atEnd());
    EXPECT_EQ(cursor.missing(), 1u);

    FltCursor textCursor(bytes + 2, bytes + sizeof bytes);
    readBytes(text, textCursor, 4); // 3 copied, the fourth kept
    EXPECT_EQ(text[0], 0x12);
    EXPECT_EQ(text[2], 0x56);
    EXPECT_EQ(text[3], 'x');
}

TEST(Decode, TranscriptNumberForms)
{
    std::ostringstream os;
    {
        FltDumpWriter out(os);
        out << 0.501961f << ' ' << 6378137.0 << ' ' << 0.25098039f << ' ' << int8_t(-3) << ' '
            << uint8_t(200) << ' ' << true << ' ';
        out.hex(0x302010FF).endl();
        out.hex(static_cast<uint64_t>(int64_t(-1)));
        char name[4] = {'a', 'b', 'c', 'd'};
        out << ' ';
        out.text(name, 4).text(name, 2);
    }
    EXPECT_EQ(os.str(), "0.501961 6.37814e+06 0.25098 -3 200 1 00000000302010FF\nFFFFFFFFFFFFFFFF abcdab");
}

namespace {

// What a stream with default flags writes for the value.
std::string generalText(double value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr);
}

std::string realText(double value)
{
    char text[kFltLongestRealText];
    return std::string(text, writeFltRealText(text, value));
}

} // namespace

// The in-place formatting takes a short way for most values: it must give
// the same text as the general form everywhere, rounding edges included.
TEST(Decode, RealTextIsTheGeneralFormForEveryKindOfValue)
{
    std::vector<double> values = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                                  0.5, 2.5, 999999.5, 999999.4, 99999.95, 0.00012345650, 0.1, 1e-4, 1e-5, 1e6};
    // Powers of ten and their neighbours, where the digit count changes.
    for (int exponent = -7; exponent <= 8; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double near : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300),
                            power * (1 - 5e-7), power * (1 - 4e-7), power * (1 - 6e-7)})
            values.insert(values.end(), {near, -near});
    }
    // Halfway cases at the sixth digit, as near as doubles come to them.
    for (int digits = 100000; digits < 1000000; digits += 7919)
        for (int exponent = -9; exponent <= 1; ++exponent)
            values.push_back((digits + 0.5) * std::pow(10.0, exponent));
    // Floats across their whole range, as records hold them, with their negatives.
    for (uint64_t bits = 0; bits < (uint64_t(1) << 32); bits += 4099) {
        const uint32_t word = static_cast<uint32_t>(bits);
        float value;
        std::memcpy(&value, &word, sizeof value);
        values.push_back(value);
    }
    int mismatches = 0;
    for (double value : values)
        if (realText(value) != generalText(value) && ++mismatches <= 10)
            ADD_FAILURE() << generalText(value) << " written as " << realText(value);
    EXPECT_EQ(mismatches, 0) << "of " << values.size();
}
