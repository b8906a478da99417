#pragma once

#include <cstdint>

// Reference counting for objects shared by several holders. Objects start
// with a count of zero and are destroyed by the unref() that brings the count
// back to zero, so whoever keeps an object must ref() it (SoRef.h does it
// for a holder).
class SoRefCounter {
public:
    void ref() const;
    void unref() const;
    // For handing a freshly built object back to a caller that will ref it.
    void unrefNoDelete() const;
    int32_t getRefCount() const { return refCount_; }

protected:
    SoRefCounter() = default;
    // A copy is a new object that nobody holds yet; assignment copies a
    // value, never the holders of the object assigned to.
    SoRefCounter(const SoRefCounter&) {}
    SoRefCounter& operator=(const SoRefCounter&) { return *this; }
    virtual ~SoRefCounter() = default;

    // Runs when the last reference goes.
    virtual void destroy() const { delete this; }

private:
    mutable int32_t refCount_ = 0;
};
