#include "FltFieldWriter.h"

namespace {

template <class T>
void encodeRun(const FltValueRef& run, std::vector<unsigned char>& out)
{
    const T* values = static_cast<const T*>(run.address);
    const std::size_t start = out.size();
    out.resize(start + run.count * sizeof(T));
    for (std::size_t i = 0; i < run.count; ++i)
        toBigEndian(values[i], out.data() + start + i * sizeof(T));
}

} // namespace

void FltFieldWriter::bytes(const void* data, std::size_t size)
{
    if (size == 0)
        return;
    const unsigned char* first = static_cast<const unsigned char*>(data);
    out.insert(out.end(), first, first + size);
}

void FltFieldWriter::encode(FltValueRef value)
{
    switch (value.type) {
    case FltValueType::Int8: encodeRun<int8_t>(value, out); break;
    case FltValueType::UInt8: encodeRun<uint8_t>(value, out); break;
    case FltValueType::Int16: encodeRun<int16_t>(value, out); break;
    case FltValueType::UInt16: encodeRun<uint16_t>(value, out); break;
    case FltValueType::Int32: encodeRun<int32_t>(value, out); break;
    case FltValueType::UInt32: encodeRun<uint32_t>(value, out); break;
    case FltValueType::Float: encodeRun<float>(value, out); break;
    case FltValueType::Double: encodeRun<double>(value, out); break;
    }
}
