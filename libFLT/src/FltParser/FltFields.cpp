#include "FltFields.h"

namespace {

template <class T>
T& as(const FltValueRef& ref)
{
    return *static_cast<T*>(ref.address);
}

// An integer value as 64 bits: signed types sign-extended, unsigned ones zero-extended.
uint64_t integerBits(const FltValueRef& v)
{
    switch (v.type) {
    case FltValueType::Int8: return static_cast<uint64_t>(int64_t(as<int8_t>(v)));
    case FltValueType::UInt8: return as<uint8_t>(v);
    case FltValueType::Int16: return static_cast<uint64_t>(int64_t(as<int16_t>(v)));
    case FltValueType::UInt16: return as<uint16_t>(v);
    case FltValueType::Int32: return static_cast<uint64_t>(int64_t(as<int32_t>(v)));
    case FltValueType::UInt32: return as<uint32_t>(v);
    case FltValueType::Float:
    case FltValueType::Double: break;
    }
    return 0;
}

} // namespace

FltFieldReader::FltFieldReader(const unsigned char* record, std::size_t length)
    : cursor(record + (length < 4 ? length : 4), record + length)
{
}

namespace {

template <class T>
void decodeRun(const FltValueRef& run, FltCursor& cursor)
{
    T* values = static_cast<T*>(run.address);
    for (std::size_t i = 0; i < run.count; ++i)
        readField(values[i], cursor);
}

} // namespace

void FltFieldReader::decode(FltValueRef value)
{
    switch (value.type) {
    case FltValueType::Int8: decodeRun<int8_t>(value, cursor); break;
    case FltValueType::UInt8: decodeRun<uint8_t>(value, cursor); break;
    case FltValueType::Int16: decodeRun<int16_t>(value, cursor); break;
    case FltValueType::UInt16: decodeRun<uint16_t>(value, cursor); break;
    case FltValueType::Int32: decodeRun<int32_t>(value, cursor); break;
    case FltValueType::UInt32: decodeRun<uint32_t>(value, cursor); break;
    case FltValueType::Float: decodeRun<float>(value, cursor); break;
    case FltValueType::Double: decodeRun<double>(value, cursor); break;
    }
}

void FltFieldReader::packedColor(const char* const[4], FltPackedColor& color)
{
    readBytes(color.bytes, cursor, 4);
}

void FltFieldPrinter::value(FltValueRef v)
{
    switch (v.type) {
    case FltValueType::Int8: out << as<int8_t>(v); break;
    case FltValueType::UInt8: out << as<uint8_t>(v); break;
    case FltValueType::Int16: out << as<int16_t>(v); break;
    case FltValueType::UInt16: out << as<uint16_t>(v); break;
    case FltValueType::Int32: out << as<int32_t>(v); break;
    case FltValueType::UInt32: out << as<uint32_t>(v); break;
    case FltValueType::Float: out << as<float>(v); break;
    case FltValueType::Double: out << as<double>(v); break;
    }
}

void FltFieldPrinter::number(const char* label, FltValueRef v, const char* separator,
                             const char* suffix)
{
    out << label;
    if (v.count == 1) {
        value(v); // most fields: no separator, no element arithmetic
    } else {
        for (std::size_t i = 0; i < v.count; ++i) {
            if (i > 0)
                out << separator;
            value(v.element(i));
        }
    }
    if (*suffix)
        out << suffix;
    out.endl();
}

void FltFieldPrinter::text(const char* label, char* chars, std::size_t width)
{
    (out << label).text(chars, width).endl();
}

void FltFieldPrinter::flags(const char* label, FltValueRef word,
                            std::initializer_list<FltFlagBit> bits)
{
    const uint32_t bitsValue = static_cast<uint32_t>(integerBits(word));
    if (label)
        (out << label).endl();
    for (const FltFlagBit& bit : bits)
        out.line(bit.label, testBit(bitsValue, bit.bit));
}

void FltFieldPrinter::hex(const char* label, FltValueRef v)
{
    (out << label).hex(integerBits(v)).endl();
}

void FltFieldPrinter::matrix(FltValueRef values)
{
    for (std::size_t row = 0; row < 4; ++row) {
        out << "|  ";
        for (std::size_t column = 0; column < 4; ++column) {
            std::size_t i = row * 4 + column;
            if (i < values.count)
                value(values.element(i));
            out << "  ";
        }
        (out << "  |").endl();
    }
}

void FltFieldPrinter::packedColor(const char* const labels[4], FltPackedColor& color)
{
    // Alpha, blue, green, red: the bytes in file order.
    if (labels[1] == nullptr) {
        out << labels[0];
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                out << ' ';
            out.colorFraction(color.bytes[i]);
        }
        out.endl();
        return;
    }
    for (int i = 0; i < 4; ++i)
        (out << labels[i]).colorFraction(color.bytes[i]).endl();
}
