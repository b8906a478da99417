#include "FltReencode.h"

#include <fstream>
#include <iterator>

#include "FltMemoryInput.h"
#include "FltParser.h"
#include "FltWarningMessageConsole.h"
#include "FltWriteRecords.h"

namespace {

// Warnings that say a record is not whole. (Bytes too few for a record at
// the end are kept with the last one.)
bool isStructural(const FltWarningMessage& warning)
{
    return warning.text.find("record shorter than its fields") != std::string::npos;
}

std::size_t structuralWarningCount()
{
    std::size_t count = 0;
    for (const FltWarningMessage& warning : FltWarningMessageConsole::instance().getWarnings())
        count += isStructural(warning) ? 1 : 0;
    return count;
}

} // namespace

FltReencoded reencodeFltImage(const unsigned char* data, std::size_t size, const std::string& name)
{
    FltReencoded result;
    FltMemoryInput input(data, size, name);
    FltParser parser(&input);
    parser.setTranscript(false);
    const std::size_t structuralBefore = structuralWarningCount();
    result.openFlight = parser.parse() == 0;
    result.whole = result.openFlight && parser.isParsed() && structuralWarningCount() == structuralBefore;
    result.bytes = encodeFltRecords(parser.getRecords());
    parser.deleteRecords();
    return result;
}

FltReencoded reencodeFltFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return FltReencoded();
    const std::vector<unsigned char> image((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    return reencodeFltImage(image.data(), image.size(), fileName);
}
