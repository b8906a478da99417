#include "SoInputReader.h"

#include "SoInput.h"

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

namespace {

// Holds a reader for the scope of one question.
struct ReaderHold {
    explicit ReaderHold(SoInputReader* reader) : reader(reader) {
        if (reader) reader->ref();
    }
    ~ReaderHold() {
        if (reader) reader->unref();
    }
    ReaderHold(const ReaderHold&) = delete;
    ReaderHold& operator=(const ReaderHold&) = delete;

    SoInputReader* reader;
};

}  // namespace

bool SoInputReader::read(SoInput* input, SoSeparator*& root) {
    root = nullptr;
    if (!input || m_classTypeId.isBad()) return false;
    for (const SoType type : SoType::getAllDerivedFrom(m_classTypeId)) {
        ReaderHold hold(static_cast<SoInputReader*>(type.createInstance()));
        if (!hold.reader) continue;
        input->readingHeader_ = true;
        const bool accepted = hold.reader->canConvert(input);
        input->readingHeader_ = false;
        if (accepted) {
            root = hold.reader->convert(input);
            return true;
        }
    }
    return false;
}
