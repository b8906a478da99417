#pragma once

#include "SbVec.h"

using SbMat = float[4][4];

// 4x4 transform for row vectors: a point p maps to p * M, so translation sits
// in row 3 and "A then B" is the product A * B.
class SbMatrix {
public:
    SbMatrix();  // identity
    explicit SbMatrix(const SbMat& m);

    static SbMatrix identity();
    void makeIdentity();
    void setValue(const SbMat& m);
    const SbMat& getValue() const { return m_; }
    float* operator[](int row) { return m_[row]; }
    const float* operator[](int row) const { return m_[row]; }

    void setScale(float s);
    void setScale(const SbVec3f& s);
    void setTranslate(const SbVec3f& t);

    SbMatrix& multRight(const SbMatrix& m);  // this = this * m
    SbMatrix& multLeft(const SbMatrix& m);   // this = m * this
    SbMatrix& operator*=(const SbMatrix& m) { return multRight(m); }
    friend SbMatrix operator*(const SbMatrix& a, const SbMatrix& b);

    // dst = src * M, divided by the resulting w.
    void multVecMatrix(const SbVec3f& src, SbVec3f& dst) const;
    // Applies only the 3x3 part: directions ignore translation.
    void multDirMatrix(const SbVec3f& src, SbVec3f& dst) const;

    bool equals(const SbMatrix& m, float tolerance) const;
    bool operator==(const SbMatrix& m) const { return equals(m, 0.0f); }
    bool operator!=(const SbMatrix& m) const { return !(*this == m); }

private:
    SbMat m_;
};
