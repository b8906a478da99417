#pragma once

#include "SbName.h"
#include "SoRefCounter.h"
#include "SoType.h"
#include "SoTypedObject.h"

// Reference-counted, typed, named root of the scene objects.
//
// Deletion never nests: an object whose count drops to zero while another is
// being deleted on the same thread waits in a per-thread queue that the
// outermost deletion drains. Releasing the root of a scene nested a million
// levels deep therefore takes constant stack.
class SoBase : public SoRefCounter, public SoTypedObject {
public:
    SoBase(const SoBase&) = delete;
    SoBase& operator=(const SoBase&) = delete;

    static SoType getClassTypeId();

    void setName(const SbName& name) { name_ = name; }
    SbName getName() const { return name_; }

protected:
    SoBase() = default;
    ~SoBase() override = default;

    void destroy() const override;

private:
    SbName name_;
};
