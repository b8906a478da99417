#include "SoInputReader.h"

#include "SoInput.h"
#include "SoRef.h"

SoType SoInputReader::m_classTypeId;

void SoInputReader::initClass() {
    if (m_classTypeId.isBad())
        m_classTypeId = SoType::createType(SoType::badType(), "SoInputReader");
}

void SoInputReader::exitClass() {
    if (m_classTypeId.isBad()) return;
    SoType::removeType(m_classTypeId.getName());
    m_classTypeId = SoType::badType();
}

bool SoInputReader::read(SoInput* input, SoSeparator*& root) {
    root = nullptr;
    if (!input || m_classTypeId.isBad()) return false;
    for (const SoType type : SoType::getAllDerivedFrom(m_classTypeId)) {
        // Held for the scope of one question.
        const SoRef<SoInputReader> reader(static_cast<SoInputReader*>(type.createInstance()));
        if (!reader) continue;
        input->readingHeader_ = true;
        const bool accepted = reader->canConvert(input);
        input->readingHeader_ = false;
        if (accepted) {
            root = reader->convert(input);
            return true;
        }
    }
    return false;
}
