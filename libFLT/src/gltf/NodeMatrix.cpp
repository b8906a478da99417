#include "NodeMatrix.h"

#include <cmath>

namespace node_matrix {

bool isIdentity(const SbMatrix& m) { return m == SbMatrix::identity(); }

bool isFinite(const SbMatrix& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(m[r][c])) return false;
    return true;
}

bool isTrs(const SbMatrix& m) {
    const double tolerance = 1e-5;
    for (int r = 0; r < 3; ++r)
        if (std::fabs(m[r][3]) > tolerance) return false;
    if (std::fabs(m[3][3] - 1.0) > tolerance) return false;
    // Rows 0..2 are the images of the axes: they must be mutually orthogonal.
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            double dot = 0.0, lengthA = 0.0, lengthB = 0.0;
            for (int c = 0; c < 3; ++c) {
                dot += double(m[a][c]) * m[b][c];
                lengthA += double(m[a][c]) * m[a][c];
                lengthB += double(m[b][c]) * m[b][c];
            }
            if (std::fabs(dot) > tolerance * std::sqrt(lengthA * lengthB)) return false;
        }
    return true;
}

std::vector<double> toGltf(const SbMatrix& m) {
    std::vector<double> columns;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) columns.push_back(m[r][c]);
    return columns;
}

}  // namespace node_matrix
