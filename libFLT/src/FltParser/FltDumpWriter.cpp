#include "FltDumpWriter.h"

#include <array>
#include <charconv>
#include <cmath>

#include "FltDumpBlockWriter.h"
#include "FltRealText.h"

namespace {

// A buffer left by the last writer of this thread: a record's dump reuses
// it instead of allocating its own. A writer opened inside another one
// finds it taken and starts from nothing.
thread_local FltDumpBuffer spareBuffer;

thread_local FltDumpWriter::Batch* currentBatch = nullptr;

// A batch hands its text over once it holds this much.
constexpr std::size_t kBatchPiece = std::size_t(1) << 20;
// Room for a piece and the record that makes it overflow.
constexpr std::size_t kBatchRoom = kBatchPiece + (kBatchPiece >> 2);

} // namespace

FltDumpWriter::Batch::Batch(std::ostream& os, FltDumpBlockWriter* blocks)
    : os(os), blocks(blocks), text(kBatchRoom), outer(currentBatch)
{
    currentBatch = this;
}

FltDumpWriter::Batch::~Batch()
{
    currentBatch = outer;
    if (blocks)
        blocks->handOver(text);
    else
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

namespace {

constexpr std::size_t kLongestInteger = 20; // 18446744073709551615, -9223372036854775808

} // namespace

FltDumpWriter& FltDumpWriter::integer(int64_t v)
{
    char* at = buffer.room(kLongestInteger);
    buffer.commit(std::to_chars(at, at + kLongestInteger, v).ptr);
    return *this;
}

FltDumpWriter& FltDumpWriter::integer(uint64_t v)
{
    char* at = buffer.room(kLongestInteger);
    buffer.commit(std::to_chars(at, at + kLongestInteger, v).ptr);
    return *this;
}

namespace {

constexpr std::size_t kHexDigits = 16;

// Sixteen upper-case digits at `out`; returns the end.
char* writeHex(char* out, uint64_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < kHexDigits; ++i)
        out[i] = digits[(value >> (60 - 4 * i)) & 0xF];
    return out + kHexDigits;
}


} // namespace

FltDumpWriter& FltDumpWriter::hex(uint64_t value)
{
    buffer.commit(writeHex(buffer.room(kHexDigits), value));
    return *this;
}

FltDumpWriter& FltDumpWriter::real(double v)
{
    // Whole numbers below a million (most values of most files) come out of
    // %g as plain digits: the integer path writes the same text faster. -0
    // keeps its sign only through the general path.
    if (v > -1e6 && v < 1e6 && v == static_cast<double>(static_cast<int64_t>(v)) && !(v == 0 && std::signbit(v)))
        return integer(static_cast<int64_t>(v));
    buffer.commit(writeFltRealText(buffer.room(kFltLongestRealText), v));
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
    const std::string& text = texts[byte];
    buffer.append(text.data(), text.size());
    return *this;
}

void FltDumpWriter::flush()
{
    if (batch && batch->blocks) {
        batch->blocks->handOver(buffer);
        return;
    }
    if (!buffer.empty()) {
        os.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    }
}

std::string formatFltReal(double value)
{
    char out[kFltLongestRealText];
    return std::string(out, writeFltRealText(out, value));
}

std::string formatFltHex(uint64_t value)
{
    char out[kHexDigits];
    return std::string(out, writeHex(out, value));
}
