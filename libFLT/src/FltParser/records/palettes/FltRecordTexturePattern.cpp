#include "FltRecordTexturePattern.h"

namespace {
// The older form of the record (96 bytes) has an 80-character file name.
constexpr uint32_t oldFormLength = 96;
constexpr std::size_t oldFileNameWidth = 80;
} // namespace

void FltRecordTexturePattern::describe(FltFields& f)
{
    const std::size_t width = getLength() == oldFormLength ? oldFileNameWidth : sizeof fileName;
    f.text("fileName: ", fileName, width);
    f.number("patternIndex: ", patternIndex);
    f.number("XlocationInTexturePalette: ", XlocationInTexturePalette);
    f.number("YlocationInTexturePalette: ", YlocationInTexturePalette);
}
