#include "SoInputFltReader.h"

#include <cstdio>

#include "FltHeaderCheck.h"
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

    const bool accepted = fltFileRefusal(file).empty();
    // A file that belongs to the input stays open for its owner.
    if (openedHere)
        SbFileHelper::close(file);
    return accepted;
}

SoSeparator* SoInputFltReader::convert(SoInput* input)
{
    return convertFltFile(input ? input->getCurFileName() : nullptr);
}
