#pragma once

#include "SoType.h"

// An object that knows its runtime type.
class SoTypedObject {
public:
    virtual SoType getTypeId() const = 0;
    bool isOfType(SoType type) const { return getTypeId().isDerivedFrom(type); }

protected:
    SoTypedObject() = default;
    SoTypedObject(const SoTypedObject&) = default;
    SoTypedObject& operator=(const SoTypedObject&) = default;
    ~SoTypedObject() = default;
};
