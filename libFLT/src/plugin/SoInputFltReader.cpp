#include "SoInputFltReader.h"

#include <cstdint>
#include <cstdio>

#include "SbFileHelper.h"
#include "SbName.h"
#include "SoInput.h"
#include "convertFltFile.h"

SoType SoInputFltReader::m_classTypeId;
int SoInputFltReader::m_isFirstTime = 1;

void SoInputFltReader::initClass()
{
    if (m_isFirstTime == 0)
        return;
    if (SoInputReader::getClassTypeId() == SoType::badType())
        SoInputReader::initClass();
    m_classTypeId = SoType::createType(SoInputReader::getClassTypeId(), SbName("InputFltReader"),
                                       &SoInputFltReader::createFromSoType, 0);
    m_isFirstTime = 0;
}

void SoInputFltReader::exitClass()
{
    SoType::removeType(m_classTypeId.getName());
    m_classTypeId = SoType::badType();
    m_isFirstTime = 1;
}

void* SoInputFltReader::createFromSoType(SoType*)
{
    return static_cast<SoInputReader*>(new SoInputFltReader);
}

namespace {

constexpr int headerTestLength = 62;

// The start of a Header record of revision 11 to 14 or 1280 to 2303 whose
// unit multiplier (the 16-bit field at offset 60) is 1. Bytes compare signed.
bool looksLikeHeader(const int8_t (&b)[headerTestLength])
{
    const bool headerOpcode = b[0] == 0 && b[1] == 1;
    const bool revisionUpperHalfZero = b[12] == 0 && b[13] == 0;
    const bool acceptedRevision = (b[14] == 0 && b[15] >= 11 && b[15] <= 14) || (b[14] >= 5 && b[14] <= 8);
    const bool unitMultiplierOne = b[60] == 0 && b[61] == 1;
    return headerOpcode && revisionUpperHalfZero && acceptedRevision && unitMultiplierOne;
}

// Reads the first bytes of the file; false when it is shorter or cannot be rewound.
bool startsWithHeader(FILE* file)
{
    int8_t bytes[headerTestLength];
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes)
        return false;
    return looksLikeHeader(bytes);
}

} // namespace

bool SoInputFltReader::canConvert(SoInput* input)
{
    if (!input)
        return false;
    if (input->isReadingHeader() == 0 && input->getCurFileName() == nullptr)
        return false;

    FILE* file = input->getCurFile();
    bool openedHere = false;
    if (!file) {
        const SbString name = input->getFileName();
        if (SbFileHelper::getExtension(name).lower() != "flt")
            return false;
        file = SbFileHelper::open(name, "rb");
        openedHere = true;
    }
    if (!file)
        return false;

    const bool accepted = startsWithHeader(file);
    // A file that belongs to the input stays open for its owner.
    if (openedHere)
        SbFileHelper::close(file);
    return accepted;
}

SoSeparator* SoInputFltReader::convert(SoInput* input)
{
    return convertFltFile(input ? input->getCurFileName() : nullptr);
}
