#pragma once

#include "SoRefCounter.h"
#include "SoType.h"
#include "SoTypedObject.h"

class SoInput;
class SoSeparator;

// A reader turns inputs of one file format into scenes. Reader classes
// register a type derived from SoInputReader's, with a factory; the host
// creates readers through it and asks each whether it can read an input.
// A reader type's factory returns the new reader as an SoInputReader pointer.
class SoInputReader : public SoRefCounter, public SoTypedObject {
public:
    // The reader framework's own type: bad until initClass registers it.
    static void initClass();
    static void exitClass();
    static SoType getClassTypeId() { return m_classTypeId; }
    SoType getTypeId() const override { return m_classTypeId; }

    // Whether this reader can read the input. Never reports anything.
    virtual bool canConvert(SoInput* input) = 0;
    // The scene read from the input (its root, as the reader hands it back).
    virtual SoSeparator* convert(SoInput* input) = 0;

    // Asks a reader of every registered type, in registration order, whether
    // it can read the input, and lets the first that can convert it into
    // `root`. Returns false, with `root` null, when no reader accepts it.
    static bool read(SoInput* input, SoSeparator*& root);

protected:
    SoInputReader() = default;
    SoInputReader(const SoInputReader&) = default;
    SoInputReader& operator=(const SoInputReader&) = default;
    ~SoInputReader() override = default;

private:
    static SoType m_classTypeId;
};
