// The parse loop: recognition, record cutting, version hand-over, observers
// and the inputs that must never crash or loop.

#include <gtest/gtest.h>

#include <memory>

#include "FltFileInput.h"
#include "FltParser.h"
#include "FltRecordHeader.h"
#include "FltRecordUnknown.h"
#include "Flt_15_7_CreationVisitor.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

struct ParseResult {
    int status = -1;
    std::string transcript;
    std::vector<std::string> warnings;
    std::vector<FltRecord*> records;
    int32_t version = 0;
    bool rgbMode = false;
    bool parsed = false;

    std::unique_ptr<FltFileInput> input;
    std::unique_ptr<FltParser> parser; // owns the records' destruction

    ~ParseResult()
    {
        if (parser)
            parser->deleteRecords();
    }
};

void parseBytes(const std::vector<uint8_t>& bytes, ParseResult& result)
{
    ScratchDir dir;
    const std::string path = dir.write("db.flt", bytes);
    WarningMark mark;
    StreamCapture out(std::cout);
    result.input = std::make_unique<FltFileInput>(path.c_str());
    {
        StreamCapture parseOutput(std::cout);
        result.parser = std::make_unique<FltParser>(result.input.get());
        FltParser& parser = *result.parser;
        result.status = parser.parse();
        result.transcript = parseOutput.text();
        result.records = parser.getRecords();
        result.version = parser.getCreationVisitor()->getVersion();
        result.rgbMode = parser.getCreationVisitor()->getRGBMode();
        result.parsed = parser.isParsed();
        EXPECT_EQ(parser.getRecordCount(), static_cast<int32_t>(result.records.size()));
    }
    result.warnings = mark.texts();
}

struct RecordingObserver : FltRecordObserver {
    std::vector<int32_t> seen;
    void update(FltRecord* record) override { seen.push_back(record->getOpcode()); }
};

} // namespace

TEST(Parser, WritesParseMessagesAroundTheDumpsInFileOrder)
{
    ParseResult result;
    parseBytes(FltTestWriter().header(1570, 0x40000000).group("g1").bytes(), result);
    ASSERT_EQ(result.status, 0);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_TRUE(result.parsed);
    EXPECT_EQ(result.version, 1570);
    EXPECT_TRUE(result.rgbMode);

    const std::string& t = result.transcript;
    const auto begin = t.find("beginning of parsing\n");
    const auto header = t.find("\n HEADER RECORD \n");
    const auto version = t.find("OpenFlight file version: 1570\nRGB mode: true\n");
    const auto group = t.find("\n GROUP RECORD \n");
    const auto end = t.find("end of parsing\n");
    EXPECT_EQ(begin, 0u);
    EXPECT_LT(begin, header);
    EXPECT_LT(header, version);
    EXPECT_LT(version, group);
    EXPECT_LT(group, end);
    EXPECT_EQ(end + std::string("end of parsing\n").size(), t.size());
}

TEST(Parser, PackedColourModeComesFromBit30OfTheHeaderFlags)
{
    ParseResult result;
    parseBytes(FltTestWriter().header(1570, 0x80000000).bytes(), result);
    EXPECT_FALSE(result.rgbMode);
    EXPECT_NE(result.transcript.find("RGB mode: false\n"), std::string::npos);
}

TEST(Parser, RefusesWhatIsNotOpenFlight)
{
    const std::vector<std::vector<uint8_t>> refused = {
        FltTestWriter().group("first").bytes(),                 // first record is not a Header
        {},                                                     // empty file
        {0x00, 0x01, 0x00},                                     // shorter than a record header
        FltTestWriter().record(1).lengthField(0).bytes(),       // Header of length 0
    };
    for (const auto& bytes : refused) {
        ParseResult result;
        parseBytes(bytes, result);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.records.empty());
        EXPECT_EQ(result.transcript, "");
        EXPECT_EQ(result.warnings, std::vector<std::string>{"ERROR! Not an Openflight Input !"});
    }
}

TEST(Parser, StopsSafelyOnRecordsThatLieAboutTheirLength)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t recordsKept;
        const char* warning;
    };
    const std::vector<Case> cases = {
        {"length below 4", FltTestWriter().header(1570).record(2).lengthField(2).zeros(28).bytes(), 1,
         "ERROR ! record of opcode 2 at offset 324 has a length below 4 (2 bytes), parsing stopped"},
        {"length 0", FltTestWriter().header(1570).record(2).lengthField(0).bytes(), 1,
         "ERROR ! record of opcode 2 at offset 324 has a length below 4 (0 bytes), parsing stopped"},
        {"past the end", FltTestWriter().header(1570).group("g").record(2).lengthField(400).zeros(8).bytes(),
         2, "ERROR ! record of opcode 2 at offset 356 runs past the end of the file (400 bytes), parsing stopped"},
        {"trailing fragment", FltTestWriter().header(1570).group("g").bytes(), 2, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = c.bytes;
        if (!c.warning)
            bytes.insert(bytes.end(), {0x00, 0x0A, 0x00});
        ParseResult result;
        parseBytes(bytes, result);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.records.size(), c.recordsKept);
        ASSERT_EQ(result.warnings.size(), 1u);
        if (c.warning)
            EXPECT_EQ(result.warnings[0], c.warning);
        else
            EXPECT_EQ(result.warnings[0],
                      "WARNING ! 3 trailing bytes are shorter than a record header, ignored at offset 356");
        EXPECT_NE(result.transcript.find("end of parsing"), std::string::npos);
    }
}

TEST(Parser, RecordsWithoutAClassBecomeUnknownRecordsInPlace)
{
    ParseResult result;
    parseBytes(FltTestWriter()
                   .header(1570)
                   .record(6).zeros(4)
                   .record(0)
                   .record(-3).zeros(2)
                   .record(115).zeros(12)
                   .bytes(),
               result);
    ASSERT_EQ(result.records.size(), 5u);
    const int32_t opcodes[] = {6, 0, -3, 115};
    for (int i = 0; i < 4; ++i) {
        auto* unknown = dynamic_cast<FltRecordUnknown*>(result.records[i + 1]);
        ASSERT_NE(unknown, nullptr);
        EXPECT_EQ(unknown->getOpcode(), opcodes[i]);
        EXPECT_EQ(unknown->getRecordType(), "");
        EXPECT_EQ(unknown->getBody().size(), unknown->getLength() - 4);
    }
    EXPECT_NE(result.transcript.find("\n UNKNOWN RECORD \n  ()\n-- Opcode: 115  Length: 16 --\n"),
              std::string::npos);
    EXPECT_NE(result.transcript.find("\n UNKNOWN RECORD \n  ()\n-- Opcode: 0  Length: 4 --\n"),
              std::string::npos);
}

TEST(Parser, ObserversSeeEveryRecordOnceInOrderAndDetachRemovesOneEntry)
{
    ScratchDir dir;
    const std::string path = dir.write("db.flt", FltTestWriter().header(1570).group("a").pushLevel().bytes());
    StreamCapture out(std::cout);
    FltFileInput input(path.c_str());
    FltParser parser(&input);
    RecordingObserver once, twice;
    parser.attach(&once);
    parser.attach(&twice);
    parser.attach(&twice);
    parser.detach(&twice);
    parser.detach(&once);
    parser.attach(&once);
    ASSERT_EQ(parser.parse(), 0);
    EXPECT_EQ(once.seen, (std::vector<int32_t>{1, 2, 10}));
    EXPECT_EQ(twice.seen, (std::vector<int32_t>{1, 2, 10}));
    parser.deleteRecords();
}

TEST(FileInput, KeepsTheWholeImageAndASlashedNameAndDirectory)
{
    ScratchDir dir;
    const std::vector<uint8_t> bytes = FltTestWriter().header(1570).bytes();
    const std::string path = dir.write("town.flt", bytes);
    std::string backslashed = path;
    StreamCapture out(std::cout);
    FltFileInput input(path.c_str());
    EXPECT_TRUE(input.isOpen());
    ASSERT_EQ(input.getSize(), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(std::vector<uint8_t>(input.getData(), input.getData() + input.getSize()), bytes);
    EXPECT_EQ(std::string(input.getDirectory()), dir.path() + "/");
    EXPECT_EQ(out.text(), "\nSuccess in opening file: " + path + "\n");

    StreamCapture err(std::cerr);
    FltFileInput windows("D:\\models\\town.flt");
    EXPECT_FALSE(windows.isOpen());
    EXPECT_STREQ(windows.getFileName(), "D:/models/town.flt");
    EXPECT_STREQ(windows.getDirectory(), "D:/models/");
    EXPECT_EQ(FltFileInput("town.flt").getDirectory(), nullptr);
    EXPECT_EQ(err.text().substr(0, 41), "Error in opening file: D:/models/town.flt");

    // A directory is no file: refused rather than read as an arbitrary size.
    FltFileInput directory(dir.path().c_str());
    EXPECT_FALSE(directory.isOpen());
    EXPECT_EQ(directory.getSize(), 0);
}
