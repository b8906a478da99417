#pragma once

// The record tree: one object per OpenFlight record, decoded once and able
// to dump itself as labelled text.

#include <cstdint>
#include <ostream>
#include <string>

#include "FltFields.h"
#include "FltOpcodes.h"
#include "FltRecordMemory.h"

class FltRecord {
public:
    // Records come from their own memory (see FltRecordMemory).
    static void* operator new(std::size_t size) { return FltRecordMemory::allocate(size); }
    static void operator delete(void* block, std::size_t size) { FltRecordMemory::release(block, size); }

    virtual int32_t getOpcode() const = 0;
    virtual std::string getRecordType() const = 0;
    virtual uint32_t getLength() const = 0;
    virtual std::ostream& print(std::ostream& os) = 0;
    virtual std::ostream& printFields(std::ostream& os) = 0;
    virtual void read(const unsigned char* data) = 0;
    virtual ~FltRecord() = default;
};

// Stores the length and builds `read` and the dump on the record's own field
// description, so that a concrete record only lists its fields.
class AbstractFltRecord : public FltRecord {
public:
    explicit AbstractFltRecord(uint32_t length) : length(length) {}
    ~AbstractFltRecord() override { length = 0; }

    uint32_t getLength() const override { return length; }
    std::ostream& print(std::ostream& os) override;
    std::ostream& printFields(std::ostream& os) override;
    void read(const unsigned char* data) override;
    virtual std::ostream& printHeader(std::ostream& os);

protected:
    // The dump title, starting with a newline (" HEADER RECORD " style).
    virtual const char* getTitle() const = 0;
    // The record's fields in file order; see FltFields.
    virtual void describe(FltFields&) {}

    void writeTitleAndHeader(FltDumpWriter& out);
    void writeHeader(FltDumpWriter& out);
    // Tells the warning console that the record ended before its fields did.
    void warnIfShort(const FltCursor& cursor) const;
    // Whether that warning is also written to the error stream at once: a
    // record missing fields is tolerated, the file's own header is not.
    virtual bool echoesShortness() const { return false; }

private:
    uint32_t length;
};

class PrimaryFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    std::string getRecordType() const override { return "PRIMARY_RECORD"; }
};

class AncillaryFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    std::string getRecordType() const override { return "ANCILLARY_RECORD"; }
};

class ControlFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    std::string getRecordType() const override { return "CONTROL_RECORD"; }
};

class PaletteFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    std::string getRecordType() const override { return "PALETTE_RECORD"; }
};
