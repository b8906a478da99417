#pragma once

#include <utility>

// One owning reference to a reference-counted object: taken when the
// holder is given the object, given back when the holder goes or is given
// another. Moving hands the reference over; copying is not offered, so that
// every reference taken is one written down (a second holder says
// SoRef<T>(other.get())).
template <class T>
class SoRef {
public:
    SoRef() = default;
    explicit SoRef(T* object) : object_(object) {
        if (object_) object_->ref();
    }
    ~SoRef() { reset(); }

    SoRef(SoRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    SoRef& operator=(SoRef&& other) noexcept {
        if (this != &other) {
            T* old = std::exchange(object_, std::exchange(other.object_, nullptr));
            if (old) old->unref();
        }
        return *this;
    }
    SoRef(const SoRef&) = delete;
    SoRef& operator=(const SoRef&) = delete;

    // Takes over a reference somebody else took, without taking another: a
    // root a conversion handed back with its reference, say.
    static SoRef adopt(T* object) {
        SoRef held;
        held.object_ = object;
        return held;
    }

    T* get() const { return object_; }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // Lets go of the object, destroying it if this was its last reference.
    void reset() {
        if (T* old = std::exchange(object_, nullptr)) old->unref();
    }

    // Hands the object on without destroying it: this reference is given
    // back, and an object nobody else holds is left with a count of zero for
    // a caller that will reference it (a function returning what it built).
    T* release() {
        T* object = std::exchange(object_, nullptr);
        if (object) object->unrefNoDelete();
        return object;
    }

private:
    T* object_ = nullptr;
};
