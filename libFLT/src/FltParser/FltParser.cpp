#include "FltParser.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <string>

#include "FltInput.h"
#include "FltOpcodes.h"
#include "FltProgress.h"
#include "FltRawData.h"
#include "FltRecordHeader.h"
#include "FltWarningMessageConsole.h"
#include "Flt_15_7_CreationVisitor.h"

FltParser::FltParser(FltInput* input) : input(input)
{
    setCreationVisitor(new Flt_15_7_CreationVisitor);
}

FltParser::~FltParser()
{
    delete creationVisitor;
}

void FltParser::deleteRecords()
{
    // A merged record stands in the list once per part, and the factory
    // merges only consecutive records: destroy each run of one object once.
    FltRecord* previous = nullptr;
    for (FltRecord* record : records) {
        if (record != previous)
            delete record;
        previous = record;
    }
    records.clear();
}

void FltParser::setCreationVisitor(FltCreationVisitor* visitor)
{
    if (visitor != creationVisitor)
        delete creationVisitor;
    creationVisitor = visitor;
    if (creationVisitor)
        creationVisitor->setDumping(transcript);
}

void FltParser::setTranscript(bool on)
{
    transcript = on;
    if (creationVisitor)
        creationVisitor->setDumping(on);
}

bool FltParser::isOpenFlightInput() const
{
    if (!input || input->getSize() < 4 || !input->getData())
        return false;
    FltRawData header;
    header.setHeader(input->getData(), 0);
    return header.opcode == FLT_HEADER && header.length != 0;
}

int FltParser::parse()
{
    recordCount = 0;
    if (!isOpenFlightInput()) {
        addWarning("ERROR! Not an Openflight Input !", 3, true);
        return 1;
    }
    if (transcript)
        std::cout << "beginning of parsing" << '\n';
    const FltWarningPlaceScope place(*this);

    const unsigned char* image = input->getData();
    const uint64_t size = static_cast<uint64_t>(input->getSize());
    uint64_t offset = 0;
    bool complete = true;
    // One raw record for the whole parse: its byte buffer is reused.
    FltRawData raw;
    const bool joinsContinuations = creationVisitor->readsExtendedRecords();
    // Room for the records of a file of typical ones at once: growing the
    // list step by step would touch twice the memory, page by page.
    try {
        records.reserve(records.size() + static_cast<std::size_t>(size / 32));
    } catch (const std::bad_alloc&) {
        // only a hint: the list grows as it must
    }
    while (offset < size) {
        const uint64_t remaining = size - offset;
        currentOpcode = -1;
        currentOffset = static_cast<int64_t>(offset);
        const auto where = [offset] { return " at offset " + std::to_string(offset); };
        if (remaining < 4) {
            addWarning(("WARNING ! " + std::to_string(remaining) +
                        " trailing bytes are shorter than a record header, ignored" + where())
                           .c_str(),
                       1, true);
            // Kept with the last record, to be written back where they were.
            if (!records.empty())
                if (AbstractFltRecord* last = dynamic_cast<AbstractFltRecord*>(records.back()))
                    last->keepTrailingBytes(image + offset, static_cast<std::size_t>(remaining));
            break;
        }
        raw.setHeader(image, offset);
        currentOpcode = raw.opcode;
        // A length below the header's own size would never advance: stop there.
        if (raw.length < 4 || raw.length > remaining) {
            const std::string problem =
                raw.length < 4 ? " has a length below 4 (" : " runs past the end of the file (";
            addWarning(("ERROR ! record of opcode " + std::to_string(raw.opcode) + where() + problem +
                        std::to_string(raw.length) + " bytes), parsing stopped")
                           .c_str(),
                       3, true);
            complete = false;
            break;
        }
        raw.data.assign(image + offset, image + offset + raw.length);
        raw.partLengths.clear();
        offset += raw.length;
        if (joinsContinuations && isFltExtendedOpcode(raw.opcode))
            offset = joinContinuations(raw, image, offset, size);
        createRecord(raw);
        if (++recordCount == 1)
            takeVersionFromHeader();
        else if (static_cast<uint32_t>(recordCount) % fltProgressInterval == 0)
            reportFltProgress(FltProgressStage::Parsing, input->getFileName(), offset, size);
    }

    if (transcript)
        std::cout << "end of parsing" << '\n';
    currentOpcode = -1;
    currentOffset = -1;
    parsed = complete;
    return 0;
}

uint64_t FltParser::joinContinuations(FltRawData& raw, const unsigned char* image, uint64_t offset,
                                      uint64_t size)
{
    // A broken continuation is left to the parse, which stops at it.
    FltRawData next;
    while (size - offset >= 4) {
        next.setHeader(image, offset);
        if (next.opcode != fltContinuationOpcode || next.length < 4 || next.length > size - offset ||
            raw.data.size() + next.length - 4 > AbstractFltRecord::longestLength)
            break;
        if (raw.partLengths.empty())
            raw.partLengths.push_back(raw.length);
        raw.partLengths.push_back(next.length);
        raw.data.insert(raw.data.end(), image + offset + 4, image + offset + next.length);
        offset += next.length;
    }
    return offset;
}

void FltParser::createRecord(const FltRawData& raw)
{
    FltRecord* record = nullptr;
    creationVisitor->create(record, &raw);
    // A joined record is cut again where it was when written back.
    if (!raw.partLengths.empty())
        if (AbstractFltRecord* joined = dynamic_cast<AbstractFltRecord*>(record))
            joined->keepPartLengths(raw.partLengths);
    records.push_back(record);
    notify(record);
}

void FltParser::takeVersionFromHeader()
{
    const FltRecordHeader* header = dynamic_cast<const FltRecordHeader*>(records.front());
    const int32_t revision = header ? header->formatRevisionLevel : 0;
    const bool packed = header && (header->flags & 0x40000000u) != 0;
    creationVisitor->setVersion(revision);
    creationVisitor->setRGBMode(packed);
    if (!transcript)
        return;
    std::cout << "OpenFlight file version: " << static_cast<uint32_t>(creationVisitor->getVersion())
              << '\n'
              << "RGB mode: " << (creationVisitor->getRGBMode() ? "true" : "false") << '\n';
}

FltWarningPlace FltParser::currentPlace() const
{
    FltWarningPlace place;
    place.file = input && input->getFileName() ? input->getFileName() : "";
    place.opcode = currentOpcode;
    place.offset = currentOffset;
    return place;
}

void FltParser::attach(FltRecordObserver* observer)
{
    observers.push_back(observer);
}

void FltParser::detach(FltRecordObserver* observer)
{
    auto found = std::find(observers.begin(), observers.end(), observer);
    if (found != observers.end())
        observers.erase(found);
}

void FltParser::notify(FltRecord* record)
{
    for (FltRecordObserver* observer : observers)
        observer->update(record);
}
