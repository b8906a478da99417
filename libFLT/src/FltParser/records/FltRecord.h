#pragma once

// The record tree: one object per OpenFlight record, decoded once and able
// to dump itself as labelled text.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

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
    // Appends the record as a file holds it: header, fields, and what the
    // fields do not cover, as it was read.
    virtual void encode(std::vector<unsigned char>& out) = 0;
    virtual ~FltRecord() = default;
};

// What a record read from a file keeps so as to be written back as it was.
struct FltKeptBytes {
    // The bytes its fields do not cover (or, kept as read, its whole body).
    std::vector<unsigned char> undescribed;
    // The length field of each record it was read from, the first and its
    // Continuation records; empty when it came whole.
    std::vector<uint16_t> partLengths;
    // Bytes after it, the last record, too few to be a record of their own.
    std::vector<unsigned char> trailing;
};

// Stores the length and builds `read` and the dump on the record's own field
// description, so that a concrete record only lists its fields.
class AbstractFltRecord : public FltRecord {
public:
    // The longest record: one joined with Continuation records is kept under it.
    static constexpr uint32_t longestLength = (uint32_t(1) << 29) - 1;

    explicit AbstractFltRecord(uint32_t length)
        : length(length < longestLength ? length : longestLength), keptAsRead(false),
          shortOfFields(false), keepsBytes(false) {}
    ~AbstractFltRecord() override;
    AbstractFltRecord(const AbstractFltRecord&) = delete;
    AbstractFltRecord& operator=(const AbstractFltRecord&) = delete;

    uint32_t getLength() const override { return length; }
    std::ostream& print(std::ostream& os) override;
    std::ostream& printFields(std::ostream& os) override;
    void read(const unsigned char* data) override;
    void encode(std::vector<unsigned char>& out) override;
    // The bytes behind the described fields that the record was read with
    // (newer revisions' fields, padding); none for most records.
    std::size_t getUndescribedSize() const;
    // The lengths of the records it was joined from, so that it is cut again
    // where it was cut.
    void keepPartLengths(const std::vector<uint16_t>& lengths);
    // For the last record: the file's end, too short for a record.
    void keepTrailingBytes(const unsigned char* bytes, std::size_t size);
    // Bytes to write after the fields: for a record made field by field,
    // zeros that pad it to the length its readers expect (a revision 15.7
    // Header to 324 bytes, as real files have it).
    void setUndescribed(std::vector<unsigned char> bytes);
    // Whether the record ended before its fields did when it was read: then
    // it cannot be written back as it was.
    bool isShort() const { return shortOfFields; }
    virtual std::ostream& printHeader(std::ostream& os);
    // The record's kind as its dump titles it ("LEVEL_OF_DETAIL (LOD) RECORD").
    std::string getKindName() const;

protected:
    // The dump title, starting with a newline (" HEADER RECORD " style).
    virtual const char* getTitle() const = 0;
    // The record's fields in file order; see FltFields.
    virtual void describe(FltFields&) {}

    void writeTitleAndHeader(FltDumpWriter& out);
    void writeHeader(FltDumpWriter& out);
    // Tells the warning console that the record ended before its fields did,
    // and remembers it (isShort).
    void warnIfShort(const FltCursor& cursor);
    // Whether that warning is also written to the error stream at once: a
    // record missing fields is tolerated, the file's own header is not.
    virtual bool echoesShortness() const { return false; }
    // Keeps what the cursor has not decoded, to be written back after the fields.
    void keepUndescribed(const FltCursor& cursor);
    // For a description that, decoding, replaced what the file holds with
    // what its fields can use (a NaN centre, a cut or repeated name): the
    // record's body is then kept as read and written back as it was, in
    // place of its fields.
    void keepAsRead() { keptAsRead = true; }
    // Keeps the body behind the 4-byte header of `data` when asked to.
    void keepBodyIfAsked(const unsigned char* data, std::size_t size);
    // Writes the bytes kept from after the file's last record, if this was it.
    void appendTrailingBytes(std::vector<unsigned char>& out) const;

private:
    // What the record keeps, made on first use; null when it keeps nothing.
    FltKeptBytes& keeping();
    const FltKeptBytes* kept() const;

    // The length and the flags share one word, so that the classes below
    // still place their first members right behind it. Most records keep
    // nothing and a database has millions: what they keep lies outside them
    // (FltRecord.cpp).
    uint32_t length : 29;
    uint32_t keptAsRead : 1;
    uint32_t shortOfFields : 1;
    uint32_t keepsBytes : 1;
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
