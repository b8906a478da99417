#pragma once

#include <cstdint>

#include "SbName.h"
#include "SoType.h"

// Reference-counted root of the scene objects. Objects start with a count of
// zero and are deleted by the unref() that brings the count back to zero, so
// whoever keeps an object must ref() it.
//
// Deletion never nests: an object whose count drops to zero while another is
// being deleted on the same thread waits in a per-thread queue that the
// outermost deletion drains. Releasing the root of a scene nested a million
// levels deep therefore takes constant stack.
class SoBase {
public:
    SoBase(const SoBase&) = delete;
    SoBase& operator=(const SoBase&) = delete;

    void ref() const;
    void unref() const;
    // For handing a freshly built object back to a caller that will ref it.
    void unrefNoDelete() const;
    int32_t getRefCount() const { return refCount_; }

    static SoType getClassTypeId();
    virtual SoType getTypeId() const = 0;
    bool isOfType(SoType type) const { return getTypeId().isDerivedFrom(type); }

    void setName(const SbName& name) { name_ = name; }
    SbName getName() const { return name_; }

protected:
    SoBase() = default;
    virtual ~SoBase() = default;

private:
    static void destroy(const SoBase* object);

    mutable int32_t refCount_ = 0;
    SbName name_;
};
