#include "FltRecord.h"

#include <string>

#include "FltWarningMessageConsole.h"

std::ostream& AbstractFltRecord::print(std::ostream& os)
{
    FltDumpWriter out(os);
    writeTitleAndHeader(out);
    return os;
}

std::ostream& AbstractFltRecord::printHeader(std::ostream& os)
{
    FltDumpWriter out(os);
    writeHeader(out);
    return os;
}

void AbstractFltRecord::writeHeader(FltDumpWriter& out)
{
    const uint32_t recordLength = getLength();
    const int32_t opcode = getOpcode();
    (out << "  (" << getRecordType() << ")").endl();
    (out << "-- Opcode: " << opcode << "  Length: " << recordLength << " --").endl();
}

void AbstractFltRecord::writeTitleAndHeader(FltDumpWriter& out)
{
    (out << getTitle()).endl();
    writeHeader(out);
}

std::ostream& AbstractFltRecord::printFields(std::ostream& os)
{
    FltDumpWriter out(os);
    writeTitleAndHeader(out);
    FltFieldPrinter printer(out);
    describe(printer);
    return os;
}

void AbstractFltRecord::read(const unsigned char* data)
{
    FltFieldReader reader(data, getLength());
    describe(reader);
    warnIfShort(reader.cursor);
}

void AbstractFltRecord::warnIfShort(const FltCursor& cursor) const
{
    if (cursor.missing() == 0)
        return;
    const std::string text = "WARNING ! record shorter than its fields: Opcode: " +
                             std::to_string(getOpcode()) + "  Length: " +
                             std::to_string(getLength()) + "  missing bytes: " +
                             std::to_string(cursor.missing());
    addWarning(text.c_str(), 1, echoesShortness());
}
