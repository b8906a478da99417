#pragma once

// A record describes its fields once, in file order, through FltFields; the
// same description decodes the record (FltFieldReader) and dumps it
// (FltFieldPrinter). Reserved fields are decoded and never printed; lines
// that only the dump has (empty lines, derived values) are ignored by the
// reader.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>

#include "FltDecode.h"
#include "FltDumpWriter.h"
#include "FltPackedColor.h"

class FltFieldWriter;

enum class FltValueType { Int8, UInt8, Int16, UInt16, Int32, UInt32, Float, Double };

// A typed reference to one value, or to a contiguous run of values, in a record.
struct FltValueRef {
    FltValueType type;
    void* address;
    std::size_t count = 1;

    FltValueRef(int8_t& v) : type(FltValueType::Int8), address(&v) {}
    FltValueRef(uint8_t& v) : type(FltValueType::UInt8), address(&v) {}
    FltValueRef(int16_t& v) : type(FltValueType::Int16), address(&v) {}
    FltValueRef(uint16_t& v) : type(FltValueType::UInt16), address(&v) {}
    FltValueRef(int32_t& v) : type(FltValueType::Int32), address(&v) {}
    FltValueRef(uint32_t& v) : type(FltValueType::UInt32), address(&v) {}
    FltValueRef(float& v) : type(FltValueType::Float), address(&v) {}
    FltValueRef(double& v) : type(FltValueType::Double), address(&v) {}
    template <class T, std::size_t N>
    FltValueRef(T (&values)[N]) : FltValueRef(values[0]) { count = N; }
    template <class T, std::size_t R, std::size_t C>
    FltValueRef(T (&values)[R][C]) : FltValueRef(values[0][0]) { count = R * C; }

    std::size_t elementSize() const
    {
        switch (type) {
        case FltValueType::Int8:
        case FltValueType::UInt8: return 1;
        case FltValueType::Int16:
        case FltValueType::UInt16: return 2;
        case FltValueType::Int32:
        case FltValueType::UInt32:
        case FltValueType::Float: return 4;
        case FltValueType::Double: return 8;
        }
        return 1;
    }
    FltValueRef element(std::size_t i) const
    {
        FltValueRef one = *this;
        one.address = static_cast<unsigned char*>(address) + i * elementSize();
        one.count = 1;
        return one;
    }
};

// One named bit of a flag word, numbered from the least significant bit.
struct FltFlagBit {
    int bit;
    const char* label;
};

class FltFields {
public:
    virtual ~FltFields() = default;

    // "label" value; a run of values is written separated, then the suffix.
    virtual void number(const char* label, FltValueRef value,
                        const char* separator = " ", const char* suffix = "") = 0;
    // Fixed-width text, copied byte for byte; dumped up to its first zero byte.
    virtual void text(const char* label, char* chars, std::size_t width) = 0;
    // Decoded, never dumped.
    virtual void reserved(FltValueRef value) = 0;
    virtual void reservedBytes(void* bytes, std::size_t width) = 0;
    // A flag word: its label line (when given), then one 0/1 line per named bit.
    virtual void flags(const char* label, FltValueRef word,
                       std::initializer_list<FltFlagBit> bits) = 0;
    // A value dumped in the fixed pointer form (sign-extended when signed).
    virtual void hex(const char* label, FltValueRef value) = 0;
    // A 4 x 4 matrix, dumped as four "|  " ... "  |" rows.
    virtual void matrix(FltValueRef values) = 0;
    // A packed A, B, G, R colour: four labelled lines (or one line with the
    // values separated when only the first label is given).
    virtual void packedColor(const char* const labels[4], FltPackedColor& color) = 0;

    // Dump-only lines.
    virtual void emptyLine() = 0;
    virtual void literal(const char* line) = 0;

    // The underlying cursor while decoding, the writer while dumping; the
    // other one is null. For the few variable-length parts of a record.
    virtual FltCursor* decoding() { return nullptr; }
    virtual FltDumpWriter* dumping() { return nullptr; }
    // The writer while encoding (see FltFieldWriter.h), else null.
    virtual FltFieldWriter* encoding() { return nullptr; }
};

class FltFieldReader : public FltFields {
public:
    // Decodes the record whose first byte (the opcode) is at `record`, behind
    // its 4-byte header and never beyond its `length` bytes.
    FltFieldReader(const unsigned char* record, std::size_t length);

    void number(const char*, FltValueRef value, const char*, const char*) override { decode(value); }
    void text(const char*, char* chars, std::size_t width) override { readBytes(chars, cursor, width); }
    void reserved(FltValueRef value) override { decode(value); }
    void reservedBytes(void* bytes, std::size_t width) override { readBytes(bytes, cursor, width); }
    void flags(const char*, FltValueRef word, std::initializer_list<FltFlagBit>) override { decode(word); }
    void hex(const char*, FltValueRef value) override { decode(value); }
    void matrix(FltValueRef values) override { decode(values); }
    void packedColor(const char* const[4], FltPackedColor& color) override;
    void emptyLine() override {}
    void literal(const char*) override {}
    FltCursor* decoding() override { return &cursor; }

    FltCursor cursor;

private:
    void decode(FltValueRef value);
};

class FltFieldPrinter : public FltFields {
public:
    explicit FltFieldPrinter(FltDumpWriter& out) : out(out) {}

    void number(const char* label, FltValueRef value, const char* separator = " ",
                const char* suffix = "") override;
    void text(const char* label, char* chars, std::size_t width) override;
    void reserved(FltValueRef) override {}
    void reservedBytes(void*, std::size_t) override {}
    void flags(const char* label, FltValueRef word, std::initializer_list<FltFlagBit> bits) override;
    void hex(const char* label, FltValueRef value) override;
    void matrix(FltValueRef values) override;
    void packedColor(const char* const labels[4], FltPackedColor& color) override;
    void emptyLine() override { out.endl(); }
    void literal(const char* line) override { (out << line).endl(); }
    FltDumpWriter* dumping() override { return &out; }

    // Writes one value with the dump's formatting rules.
    void value(FltValueRef value);

private:
    FltDumpWriter& out;
};

// Dumps one part of a record (a structure with its own field description) on its own.
template <class Part>
std::ostream& printPart(Part& part, std::ostream& os)
{
    FltDumpWriter out(os);
    FltFieldPrinter printer(out);
    part.describe(printer);
    return os;
}
