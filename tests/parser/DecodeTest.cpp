// Big-endian decoding over a bounded cursor, and the transcript's number forms.

#include <gtest/gtest.h>

#include <sstream>

#include "FltDecode.h"
#include "FltDumpWriter.h"
#include "FltRawData.h"

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
