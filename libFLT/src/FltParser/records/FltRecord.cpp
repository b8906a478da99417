#include "FltRecord.h"

#include <string>
#include <unordered_map>

#include "FltWarningMessageConsole.h"

namespace {

const char* const recordClassNames[] = {"", "PRIMARY_RECORD", "ANCILLARY_RECORD", "CONTROL_RECORD",
                                        "PALETTE_RECORD"};

} // namespace

const char* fltRecordClassName(FltRecordClass recordClass)
{
    return recordClassNames[static_cast<int>(recordClass)];
}

FltRecordClass fltRecordClassNamed(const std::string& name)
{
    for (int number = 1; number <= static_cast<int>(FltRecordClass::Palette); ++number)
        if (name == recordClassNames[number])
            return static_cast<FltRecordClass>(number);
    return FltRecordClass::None;
}

std::ostream& AbstractFltRecord::print(std::ostream& os)
{
    FltDumpWriter out(os);
    writeTitleAndHeader(out);
    return os;
}

const std::string& AbstractFltRecord::getKindName() const
{
    // Titles are string literals, one per class: each thread trims one once.
    thread_local std::unordered_map<const char*, std::string> names;
    const char* const titleText = getTitle();
    auto found = names.find(titleText);
    if (found != names.end())
        return found->second;
    const std::string title = titleText;
    const std::string::size_type first = title.find_first_not_of("\n ");
    std::string name;
    if (first != std::string::npos)
        name = title.substr(first, title.find_last_not_of(' ') + 1 - first);
    return names.emplace(titleText, std::move(name)).first->second;
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
    (out << "  (" << getRecordTypeText() << ")\n-- Opcode: " << opcode << "  Length: " << recordLength << " --").endl();
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
