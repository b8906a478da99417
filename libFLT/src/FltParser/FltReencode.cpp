#include "FltReencode.h"

#include <fstream>
#include <iterator>

#include "FltMemoryInput.h"
#include "FltParser.h"
#include "FltRecord.h"
#include "FltWriteRecords.h"

namespace {

bool hasShortRecord(const std::vector<FltRecord*>& records)
{
    for (const FltRecord* record : records)
        if (const auto* described = dynamic_cast<const AbstractFltRecord*>(record))
            if (described->isShort())
                return true;
    return false;
}

} // namespace

FltReencoded reencodeFltImage(const unsigned char* data, std::size_t size, const std::string& name)
{
    FltReencoded result;
    FltMemoryInput input(data, size, name);
    FltParser parser(&input);
    parser.setTranscript(false);
    result.openFlight = parser.parse() == 0;
    result.whole = result.openFlight && parser.isParsed() && !hasShortRecord(parser.getRecords());
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
