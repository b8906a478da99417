#include "FltDumpWriter.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// A buffer left by the last writer of this thread: a record's dump reuses
// it instead of allocating its own. A writer opened inside another one
// finds it taken and starts from nothing.
thread_local std::string spareBuffer;

thread_local FltDumpWriter::Batch* currentBatch = nullptr;

// A batch hands its text over once it holds this much.
constexpr std::size_t kBatchPiece = std::size_t(1) << 20;

} // namespace

FltDumpWriter::Batch::Batch(std::ostream& os) : os(os), outer(currentBatch)
{
    text.reserve(kBatchPiece + (kBatchPiece >> 2));
    currentBatch = this;
}

FltDumpWriter::Batch::~Batch()
{
    currentBatch = outer;
    os.write(text.data(), static_cast<std::streamsize>(text.size()));
}

FltDumpWriter::FltDumpWriter(std::ostream& os)
    : os(os), batch(currentBatch && &currentBatch->os == &os ? currentBatch : nullptr),
      buffer(batch ? batch->text : own)
{
    if (batch)
        return;
    own.swap(spareBuffer);
    own.clear();
    if (own.capacity() < 1024)
        own.reserve(1024);
}

FltDumpWriter::~FltDumpWriter()
{
    if (batch) {
        if (buffer.size() >= kBatchPiece)
            flush();
        return;
    }
    flush();
    own.clear();
    spareBuffer.swap(own);
}

FltDumpWriter& FltDumpWriter::text(const char* chars, std::size_t width)
{
    std::size_t n = 0;
    while (n < width && chars[n] != '\0')
        ++n;
    buffer.append(chars, n);
    return *this;
}

FltDumpWriter& FltDumpWriter::integer(int64_t v)
{
    char out[24];
    auto result = std::to_chars(out, out + sizeof out, v);
    buffer.append(out, result.ptr);
    return *this;
}

FltDumpWriter& FltDumpWriter::integer(uint64_t v)
{
    char out[24];
    auto result = std::to_chars(out, out + sizeof out, v);
    buffer.append(out, result.ptr);
    return *this;
}

namespace {

// Sixteen upper-case digits: one more than a string holds without allocating.
std::size_t writeHex(char (&out)[16], uint64_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i)
        out[i] = digits[(value >> (60 - 4 * i)) & 0xF];
    return sizeof out;
}

// What an output stream with default flags writes: %g with precision 6,
// which to_chars reproduces exactly, without printf's cost.
std::size_t writeReal(char (&out)[32], double value)
{
    auto result = std::to_chars(out, out + sizeof out, value, std::chars_format::general, 6);
    return static_cast<std::size_t>(result.ptr - out);
}

} // namespace

FltDumpWriter& FltDumpWriter::hex(uint64_t value)
{
    char out[16];
    buffer.append(out, writeHex(out, value));
    return *this;
}

FltDumpWriter& FltDumpWriter::real(double v)
{
    // Whole numbers below a million (most values of most files) come out of
    // %g as plain digits: the integer path writes the same text faster. -0
    // keeps its sign only through the general path.
    if (v > -1e6 && v < 1e6 && v == static_cast<double>(static_cast<int64_t>(v)) && !(v == 0 && std::signbit(v)))
        return integer(static_cast<int64_t>(v));
    char out[32];
    buffer.append(out, writeReal(out, v));
    return *this;
}

FltDumpWriter& FltDumpWriter::colorFraction(uint8_t byte)
{
    static const std::array<std::string, 256> texts = [] {
        std::array<std::string, 256> all;
        for (int b = 0; b < 256; ++b)
            all[b] = formatFltReal(static_cast<float>(b) / 255.0f);
        return all;
    }();
    buffer += texts[byte];
    return *this;
}

void FltDumpWriter::flush()
{
    if (!buffer.empty()) {
        os.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    }
}

std::string formatFltReal(double value)
{
    char out[32];
    return std::string(out, writeReal(out, value));
}

std::string formatFltHex(uint64_t value)
{
    char out[16];
    return std::string(out, writeHex(out, value));
}
