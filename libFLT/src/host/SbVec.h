#pragma once

#include <cmath>

// Arithmetic shared by the fixed-size float vectors; V is the concrete vector
// class so that every operator returns the caller's own type.
template <int N, class V>
class SbVecBase {
public:
    float& operator[](int i) { return v_[i]; }
    const float& operator[](int i) const { return v_[i]; }
    const float* getValue() const { return v_; }

    V& operator+=(const V& o) {
        for (int i = 0; i < N; ++i) v_[i] += o[i];
        return self();
    }
    V& operator-=(const V& o) {
        for (int i = 0; i < N; ++i) v_[i] -= o[i];
        return self();
    }
    V& operator*=(float s) {
        for (float& c : v_) c *= s;
        return self();
    }
    V& operator/=(float s) { return *this *= 1.0f / s; }

    V operator+(const V& o) const { return V(self()) += o; }
    V operator-(const V& o) const { return V(self()) -= o; }
    V operator*(float s) const { return V(self()) *= s; }
    V operator/(float s) const { return V(self()) /= s; }
    V operator-() const { return V(self()) *= -1.0f; }
    friend V operator*(float s, const V& v) { return v * s; }

    bool operator==(const V& o) const {
        for (int i = 0; i < N; ++i)
            if (v_[i] != o[i]) return false;
        return true;
    }
    bool operator!=(const V& o) const { return !(*this == o); }

    float dot(const V& o) const {
        float sum = 0.0f;
        for (int i = 0; i < N; ++i) sum += v_[i] * o[i];
        return sum;
    }
    float length() const { return std::sqrt(dot(self())); }

    // Scales to unit length and returns the previous length; a zero vector stays zero.
    float normalize() {
        const float len = length();
        if (len > 0.0f) *this /= len;
        return len;
    }

protected:
    SbVecBase() = default;

    float v_[N] = {};

private:
    V& self() { return static_cast<V&>(*this); }
    const V& self() const { return static_cast<const V&>(*this); }
};

class SbVec2f : public SbVecBase<2, SbVec2f> {
public:
    SbVec2f() = default;
    SbVec2f(float x, float y) { setValue(x, y); }

    SbVec2f& setValue(float x, float y) {
        v_[0] = x;
        v_[1] = y;
        return *this;
    }
};

class SbVec3f : public SbVecBase<3, SbVec3f> {
public:
    SbVec3f() = default;
    SbVec3f(float x, float y, float z) { setValue(x, y, z); }

    SbVec3f& setValue(float x, float y, float z) {
        v_[0] = x;
        v_[1] = y;
        v_[2] = z;
        return *this;
    }

    SbVec3f cross(const SbVec3f& o) const {
        return SbVec3f(v_[1] * o[2] - v_[2] * o[1], v_[2] * o[0] - v_[0] * o[2],
                       v_[0] * o[1] - v_[1] * o[0]);
    }
};
