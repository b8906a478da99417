#pragma once

// The one place where transcript text is formatted.
//
// Numbers follow the stream's default rules (decimal integers, six
// significant digits for floating point), "pointer" values have one fixed
// form on every platform (16 upper-case hexadecimal digits), and a record's
// whole dump is gathered in memory and handed to the stream in one write.
// Every value is formatted straight into that memory.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "FltDumpBuffer.h"

class FltDumpBlockWriter;

class FltDumpWriter {
public:
    explicit FltDumpWriter(std::ostream& os);
    ~FltDumpWriter();
    FltDumpWriter(const FltDumpWriter&) = delete;
    FltDumpWriter& operator=(const FltDumpWriter&) = delete;

    FltDumpWriter& operator<<(const char* text) { buffer.append(text, std::strlen(text)); return *this; }
    FltDumpWriter& operator<<(const std::string& text) { buffer.append(text.data(), text.size()); return *this; }
    FltDumpWriter& operator<<(char c) { buffer.put(c); return *this; }
    FltDumpWriter& operator<<(int8_t v) { return integer(v); }
    FltDumpWriter& operator<<(uint8_t v) { return integer(v); }
    FltDumpWriter& operator<<(int16_t v) { return integer(v); }
    FltDumpWriter& operator<<(uint16_t v) { return integer(v); }
    FltDumpWriter& operator<<(int32_t v) { return integer(v); }
    FltDumpWriter& operator<<(uint32_t v) { return integer(v); }
    FltDumpWriter& operator<<(int64_t v) { return integer(v); }
    FltDumpWriter& operator<<(uint64_t v) { return integer(v); }
    FltDumpWriter& operator<<(bool v) { buffer.put(v ? '1' : '0'); return *this; }
    FltDumpWriter& operator<<(float v) { return real(v); }
    FltDumpWriter& operator<<(double v) { return real(v); }

    // Text of a fixed-width field: up to its first zero byte, never beyond its width.
    FltDumpWriter& text(const char* chars, std::size_t width);
    // The fixed pointer form: 16 upper-case hexadecimal digits, zero-padded.
    FltDumpWriter& hex(uint64_t value);
    // A byte written as itself, not as its decimal value.
    FltDumpWriter& rawByte(unsigned char byte) { buffer.put(static_cast<char>(byte)); return *this; }
    FltDumpWriter& endl() { buffer.put('\n'); return *this; }
    // A colour byte as the fraction it stands for (byte / 255), written as
    // that float would be; the 256 texts are made once.
    FltDumpWriter& colorFraction(uint8_t byte);

    // A labelled line: label, value, end of line.
    template <class T>
    FltDumpWriter& line(const char* label, T value) { return (*this << label << value).endl(); }

    void flush();

    // While a batch exists on a thread, that thread's writers on its stream
    // add to one buffer, handed to the stream in large pieces (the rest when
    // the batch ends) instead of one write per record.
    // With a block writer, the large pieces are handed to its thread.
    class Batch {
    public:
        explicit Batch(std::ostream& os, FltDumpBlockWriter* blocks = nullptr);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        friend class FltDumpWriter;
        std::ostream& os;
        FltDumpBlockWriter* blocks;
        FltDumpBuffer text;
        Batch* outer;
    };

private:
    FltDumpWriter& integer(int64_t v);
    FltDumpWriter& integer(uint64_t v);
    FltDumpWriter& integer(int32_t v) { return integer(static_cast<int64_t>(v)); }
    FltDumpWriter& integer(uint32_t v) { return integer(static_cast<uint64_t>(v)); }
    FltDumpWriter& integer(int16_t v) { return integer(static_cast<int64_t>(v)); }
    FltDumpWriter& integer(uint16_t v) { return integer(static_cast<uint64_t>(v)); }
    FltDumpWriter& integer(int8_t v) { return integer(static_cast<int64_t>(v)); }
    FltDumpWriter& integer(uint8_t v) { return integer(static_cast<uint64_t>(v)); }
    FltDumpWriter& real(double v);

    std::ostream& os;
    Batch* batch;
    FltDumpBuffer own;
    FltDumpBuffer& buffer; // the batch's text or the writer's own
};

// The same formatting for callers that build strings rather than dumps.
std::string formatFltReal(double value);
std::string formatFltHex(uint64_t value);
