#include "SoRefCounter.h"

#include <cassert>

void SoRefCounter::ref() const { ++refCount_; }

void SoRefCounter::unref() const {
    assert(refCount_ > 0 && "unref() without a matching ref()");
    if (--refCount_ <= 0) destroy();
}

void SoRefCounter::unrefNoDelete() const {
    assert(refCount_ > 0 && "unrefNoDelete() without a matching ref()");
    --refCount_;
}
