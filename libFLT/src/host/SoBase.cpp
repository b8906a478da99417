#include "SoBase.h"

#include <cassert>

SoType SoBase::getClassTypeId() {
    static const SoType type = SoType::createType(SoType::badType(), "SoBase");
    return type;
}

void SoBase::ref() const { ++refCount_; }

void SoBase::unref() const {
    assert(refCount_ > 0 && "unref() without a matching ref()");
    if (--refCount_ <= 0) delete this;
}

void SoBase::unrefNoDelete() const {
    assert(refCount_ > 0 && "unrefNoDelete() without a matching ref()");
    --refCount_;
}
