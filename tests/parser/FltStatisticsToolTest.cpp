// The statistics file: its exact text, the heading written only into an
// empty file, files that cannot be created, and the name the converter gives it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iostream>

#include "FltFileInput.h"
#include "FltParser.h"
#include "FltRecord.h"
#include "FltStatisticsTool.h"
#include "FltTestWriter.h"
#include "FltToVeldra.h"
#include "TestFiles.h"

namespace {

// A record that only knows its opcode: all the tool asks of it.
class OpcodeOnly : public FltRecord {
public:
    explicit OpcodeOnly(int32_t opcode) : opcode(opcode) {}
    int32_t getOpcode() const override { return opcode; }
    std::string getRecordType() const override { return ""; }
    uint32_t getLength() const override { return 4; }
    std::ostream& print(std::ostream& os) override { return os; }
    std::ostream& printFields(std::ostream& os) override { return os; }
    void read(const unsigned char*) override {}

private:
    int32_t opcode;
};

const std::string heading = "#Openflight Statistics File\n\n\n************************\nin.flt\n";

std::string writeStatistics(const std::string& statFile, const std::vector<FltRecord*>* records)
{
    FltStatisticsTool tool;
    tool.setFltFileName("in.flt");
    tool.setStatFileName(statFile.c_str());
    if (tool.createStatFile()) {
        tool.setRecords(records);
        tool.write();
    }
    return readTextFile(statFile);
}

} // namespace

TEST(FltStatisticsTool, CountsByOpcodeInAscendingOrderWithoutAFinalLineBreak)
{
    ScratchDir dir;
    OpcodeOnly header(1), group(2), object(4), face(5), unknown(1000);
    // A merged record stands in the list twice and counts twice.
    std::vector<FltRecord*> records = {&header, &face, &unknown, &group, &face, nullptr, &object, &face};
    EXPECT_EQ(writeStatistics(dir.file("in.flt.stat"), &records),
              heading + " \n Opcode 1:  1  \n Opcode 2:  1  \n Opcode 4:  1  \n Opcode 5:  3  \n Opcode 1000:  1 ");

    std::vector<FltRecord*> none;
    EXPECT_EQ(writeStatistics(dir.file("in.flt.stat"), &none), heading);
}

TEST(FltStatisticsTool, HeadingOnlyIntoAnEmptyFileAndNothingWhereNoFileCanBe)
{
    ScratchDir dir;
    OpcodeOnly header(1);
    std::vector<FltRecord*> records = {&header};
    FltStatisticsTool tool;
    tool.setFltFileName("in.flt");
    tool.setStatFileName(dir.file("twice.stat").c_str());
    tool.setRecords(&records);
    ASSERT_TRUE(tool.createStatFile());
    tool.write();
    tool.write();
    EXPECT_EQ(readTextFile(dir.file("twice.stat")), heading + " \n Opcode 1:  1  \n Opcode 1:  1 ");

    const std::string nowhere = dir.file("missing/in.flt.stat");
    EXPECT_EQ(writeStatistics(nowhere, &records), "");
    EXPECT_FALSE(fileExists(nowhere));
}

TEST(FltStatisticsTool, ConverterNamesTheFileAfterTheInputWithSlashes)
{
    ScratchDir dir;
    ASSERT_EQ(mkdir(dir.file("data").c_str(), 0700), 0);
    dir.write("data/town.flt", FltTestWriter().header(1570).group("g").bytes());
    FltFileInput input(dir.file("data\\town.flt").c_str());
    FltToVeldra converter;
    converter.setInput(&input);
    {
        StreamCapture out(std::cout);
        ASSERT_EQ(converter.fltParser->parse(), 0);
    }
    converter.writeStatistics();
    converter.deleteRecords();
    EXPECT_EQ(readTextFile(dir.file("data/town.flt.stat")),
              "#Openflight Statistics File\n\n\n************************\n" + dir.file("data/town.flt") +
                  "\n \n Opcode 1:  1  \n Opcode 2:  1 ");
}
