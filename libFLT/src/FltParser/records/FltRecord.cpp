#include "FltRecord.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "FltFieldWriter.h"
#include "FltRecordFraming.h"
#include "FltWarningMessageConsole.h"

namespace {

// What the records that keep bytes keep, by record. Parses may run on
// several threads; entries are only ever touched by their own record.
class KeptBytesTable {
public:
    FltKeptBytes& of(const AbstractFltRecord* record)
    {
        const std::lock_guard<std::mutex> guard(lock);
        return table[record];
    }
    const FltKeptBytes* find(const AbstractFltRecord* record)
    {
        const std::lock_guard<std::mutex> guard(lock);
        const auto found = table.find(record);
        return found == table.end() ? nullptr : &found->second;
    }
    void release(const AbstractFltRecord* record)
    {
        const std::lock_guard<std::mutex> guard(lock);
        table.erase(record);
    }

private:
    std::mutex lock;
    std::unordered_map<const AbstractFltRecord*, FltKeptBytes> table;
};

// Never destroyed: records may outlive the statics.
KeptBytesTable& keptBytesTable()
{
    static KeptBytesTable* const table = new KeptBytesTable;
    return *table;
}

} // namespace

AbstractFltRecord::~AbstractFltRecord()
{
    if (keepsBytes)
        keptBytesTable().release(this);
    length = 0;
}

std::ostream& AbstractFltRecord::print(std::ostream& os)
{
    FltDumpWriter out(os);
    writeTitleAndHeader(out);
    return os;
}

std::string AbstractFltRecord::getKindName() const
{
    const std::string title = getTitle();
    const std::string::size_type first = title.find_first_not_of("\n ");
    if (first == std::string::npos)
        return "";
    return title.substr(first, title.find_last_not_of(' ') + 1 - first);
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
    keepUndescribed(reader.cursor);
    keepBodyIfAsked(data, getLength());
}

FltKeptBytes& AbstractFltRecord::keeping()
{
    keepsBytes = true;
    return keptBytesTable().of(this);
}

const FltKeptBytes* AbstractFltRecord::kept() const
{
    return keepsBytes ? keptBytesTable().find(this) : nullptr;
}

std::size_t AbstractFltRecord::getUndescribedSize() const
{
    const FltKeptBytes* bytes = kept();
    return bytes ? bytes->undescribed.size() : 0;
}

void AbstractFltRecord::keepBodyIfAsked(const unsigned char* data, std::size_t size)
{
    if (keptAsRead && size > 4)
        keeping().undescribed.assign(data + 4, data + size);
}

void AbstractFltRecord::keepUndescribed(const FltCursor& cursor)
{
    if (!cursor.atEnd())
        keeping().undescribed.assign(cursor.position(), cursor.position() + cursor.remaining());
    else if (keepsBytes)
        keeping().undescribed.clear();
}

void AbstractFltRecord::keepPartLengths(const std::vector<uint16_t>& lengths)
{
    keeping().partLengths = lengths;
}

void AbstractFltRecord::keepTrailingBytes(const unsigned char* bytes, std::size_t size)
{
    keeping().trailing.assign(bytes, bytes + size);
}

void AbstractFltRecord::setUndescribed(std::vector<unsigned char> bytes)
{
    keeping().undescribed = std::move(bytes);
}

void AbstractFltRecord::encode(std::vector<unsigned char>& out)
{
    const std::size_t start = openRecord(out, getOpcode());
    FltFieldWriter writer(out);
    if (!keptAsRead)
        describe(writer);
    if (const FltKeptBytes* bytes = kept()) {
        writer.bytes(bytes->undescribed.data(), bytes->undescribed.size());
        closeRecord(out, start, bytes->partLengths);
        appendTrailingBytes(out);
    } else {
        closeRecord(out, start);
    }
}

void AbstractFltRecord::appendTrailingBytes(std::vector<unsigned char>& out) const
{
    if (const FltKeptBytes* bytes = kept())
        out.insert(out.end(), bytes->trailing.begin(), bytes->trailing.end());
}

void AbstractFltRecord::warnIfShort(const FltCursor& cursor)
{
    if (cursor.missing() == 0)
        return;
    shortOfFields = true;
    const std::string text = "WARNING ! record shorter than its fields: Opcode: " +
                             std::to_string(getOpcode()) + "  Length: " +
                             std::to_string(getLength()) + "  missing bytes: " +
                             std::to_string(cursor.missing());
    addWarning(text.c_str(), 1, echoesShortness());
}
