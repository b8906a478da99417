#include "SbMatrix.h"

#include <cmath>

SbMatrix::SbMatrix() { makeIdentity(); }

SbMatrix::SbMatrix(const SbMat& m) { setValue(m); }

SbMatrix SbMatrix::identity() { return SbMatrix(); }

void SbMatrix::makeIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m_[r][c] = (r == c) ? 1.0f : 0.0f;
}

void SbMatrix::setValue(const SbMat& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m_[r][c] = m[r][c];
}

void SbMatrix::setScale(float s) { setScale(SbVec3f(s, s, s)); }

void SbMatrix::setScale(const SbVec3f& s) {
    makeIdentity();
    for (int i = 0; i < 3; ++i) m_[i][i] = s[i];
}

void SbMatrix::setTranslate(const SbVec3f& t) {
    makeIdentity();
    for (int i = 0; i < 3; ++i) m_[3][i] = t[i];
}

SbMatrix operator*(const SbMatrix& a, const SbMatrix& b) {
    SbMatrix product;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m_[r][k] * b.m_[k][c];
            product.m_[r][c] = sum;
        }
    return product;
}

SbMatrix& SbMatrix::multRight(const SbMatrix& m) { return *this = *this * m; }

SbMatrix& SbMatrix::multLeft(const SbMatrix& m) { return *this = m * *this; }

void SbMatrix::multVecMatrix(const SbVec3f& src, SbVec3f& dst) const {
    float out[4];
    for (int c = 0; c < 4; ++c)
        out[c] = src[0] * m_[0][c] + src[1] * m_[1][c] + src[2] * m_[2][c] + m_[3][c];
    const float w = (out[3] != 0.0f) ? out[3] : 1.0f;
    dst.setValue(out[0] / w, out[1] / w, out[2] / w);
}

void SbMatrix::multDirMatrix(const SbVec3f& src, SbVec3f& dst) const {
    float out[3];
    for (int c = 0; c < 3; ++c) out[c] = src[0] * m_[0][c] + src[1] * m_[1][c] + src[2] * m_[2][c];
    dst.setValue(out[0], out[1], out[2]);
}

bool SbMatrix::equals(const SbMatrix& m, float tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(m_[r][c] - m.m_[r][c]) > tolerance) return false;
    return true;
}
