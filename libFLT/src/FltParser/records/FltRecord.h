#pragma once

// The record tree: one object per OpenFlight record, decoded once and able
// to dump itself as labelled text.

#include <cstdint>
#include <ostream>
#include <string>

#include "FltFields.h"
#include "FltOpcodes.h"
#include "FltRecordMemory.h"

class FltVersion;

// The classes records fall into, as numbers for the walk to switch on; the
// dump titles each by its name ("PRIMARY_RECORD", ...; nothing for None).
enum class FltRecordClass { None, Primary, Ancillary, Control, Palette };
const char* fltRecordClassName(FltRecordClass recordClass);
FltRecordClass fltRecordClassNamed(const std::string& name);

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

    virtual FltRecordClass getRecordClass() const { return FltRecordClass::None; }
    // The record as one whose decoding depends on the file's revision, or
    // null: what a cast would find, without the cast's cost per record.
    virtual FltVersion* revisionDependent() { return nullptr; }
};

// Stores the length and builds `read` and the dump on the record's own field
// description, so that a concrete record only lists its fields.
class AbstractFltRecord : public FltRecord {
public:
    explicit AbstractFltRecord(uint32_t length) : length(length) {}
    ~AbstractFltRecord() override { length = 0; }

    uint32_t getLength() const override { return length; }
    std::string getRecordType() const override { return fltRecordClassName(getRecordClass()); }
    std::ostream& print(std::ostream& os) override;
    std::ostream& printFields(std::ostream& os) override;
    void read(const unsigned char* data) override;
    virtual std::ostream& printHeader(std::ostream& os);
    // The record's kind as its dump titles it ("LEVEL_OF_DETAIL (LOD) RECORD"),
    // worked out once per kind.
    const std::string& getKindName() const;

protected:
    // The dump title, starting with a newline (" HEADER RECORD " style).
    virtual const char* getTitle() const = 0;
    // The class name the dump's header line gives.
    virtual const char* getRecordTypeText() const { return fltRecordClassName(getRecordClass()); }
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
    FltRecordClass getRecordClass() const override { return FltRecordClass::Primary; }
};

class AncillaryFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    FltRecordClass getRecordClass() const override { return FltRecordClass::Ancillary; }
};

class ControlFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    FltRecordClass getRecordClass() const override { return FltRecordClass::Control; }
};

class PaletteFltRecord : public AbstractFltRecord {
public:
    using AbstractFltRecord::AbstractFltRecord;
    FltRecordClass getRecordClass() const override { return FltRecordClass::Palette; }
};
