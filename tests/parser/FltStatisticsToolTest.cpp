// The statistics file: its exact text, the heading written only into an
// empty file, and files that cannot be created.

#include <gtest/gtest.h>

#include "FltRecord.h"
#include "FltStatisticsTool.h"
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
    void encode(std::vector<unsigned char>&) override {}

private:
    int32_t opcode;
};

} // namespace

TEST(FltStatisticsTool, CountsByOpcodeInAscendingOrderAfterAHeadingForAnEmptyFile)
{
    ScratchDir dir;
    OpcodeOnly header(1), group(2), face(5), unknown(1000);
    // A merged record stands in the list twice and counts twice.
    const std::vector<FltRecord*> records = {&header, &face, &unknown, &group, &face, nullptr, &face};
    FltStatisticsTool tool;
    tool.setFltFileName("in.flt");
    tool.setStatFileName(dir.file("in.flt.stat").c_str());
    tool.setRecords(&records);
    ASSERT_TRUE(tool.createStatFile());
    tool.write();
    const std::string heading = "#Openflight Statistics File\n\n\n************************\nin.flt\n";
    const std::string counts = " \n Opcode 1:  1  \n Opcode 2:  1  \n Opcode 5:  3  \n Opcode 1000:  1 ";
    EXPECT_EQ(readTextFile(dir.file("in.flt.stat")), heading + counts);
    tool.write();
    EXPECT_EQ(readTextFile(dir.file("in.flt.stat")), heading + counts + counts);

    tool.setStatFileName(dir.file("missing/in.flt.stat").c_str());
    EXPECT_FALSE(tool.createStatFile());
    tool.write();
    EXPECT_FALSE(fileExists(dir.file("missing/in.flt.stat")));
}
