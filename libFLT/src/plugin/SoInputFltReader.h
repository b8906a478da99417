#pragma once

#include "SoInputReader.h"

// The host's reader for OpenFlight files, registered as "InputFltReader".
class SoInputFltReader : public SoInputReader {
public:
    SoInputFltReader() = default;
    SoInputFltReader(const SoInputFltReader&) = default;
    SoInputFltReader& operator=(const SoInputFltReader&) = default;
    ~SoInputFltReader() override = default;

    // Registers the type once, until exitClass.
    static void initClass();
    static void exitClass();
    // The registered type's factory: a new reader (the type is not used).
    static void* createFromSoType(SoType* type);
    static SoType getClassTypeId() { return m_classTypeId; }
    SoType getTypeId() const override { return m_classTypeId; }

    // Whether the input is an OpenFlight file: its extension is "flt" (in any
    // case) unless the input holds an open file, and its first 62 bytes look
    // like a Header of an accepted revision (the parser's fltFileRefusal).
    bool canConvert(SoInput* input) override;
    // The scene of the input's file, as convertFltFile builds it.
    SoSeparator* convert(SoInput* input) override;

private:
    static SoType m_classTypeId;
    static int m_isFirstTime;
};
