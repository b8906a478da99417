#include "ZUpMatrix.h"

#include <cmath>

using database_model::Matrix;

Matrix identityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

bool isIdentity(const Matrix& m) { return m == identityMatrix(); }

Matrix composeMatrix(const std::array<double, 3>& t, const std::array<double, 4>& q, const std::array<double, 3>& s) {
    double x = q[0], y = q[1], z = q[2], w = q[3];
    const double length = std::sqrt(x * x + y * y + z * z + w * w);
    if (length > 0) x /= length, y /= length, z /= length, w /= length;
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    Matrix m = identityMatrix();
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) m[col * 4 + row] = r[row][col] * s[col];
    for (int row = 0; row < 3; ++row) m[12 + row] = t[row];
    return m;
}

Matrix toZUpRows(const Matrix& columns) {
    // C maps glTF's axes to OpenFlight's; the turned matrix is C M C^T.
    static const double c[4][4] = {{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}};
    auto at = [&](int row, int col) { return columns[col * 4 + row]; };
    double cm[4][4] = {};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i < 4; ++i) cm[r][k] += c[r][i] * at(i, k);
    Matrix rows{};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col) {
            double v = 0;
            for (int k = 0; k < 4; ++k) v += cm[r][k] * c[col][k];
            rows[col * 4 + r] = v + 0.0;  // transposed: row vectors; no negative zeros
        }
    return rows;
}

std::array<double, 3> transformPoint(const Matrix& m, const std::array<double, 3>& p) {
    std::array<double, 3> out{};
    for (int col = 0; col < 3; ++col)
        out[col] = p[0] * m[col] + p[1] * m[4 + col] + p[2] * m[8 + col] + m[12 + col];
    return out;
}

Matrix multiplyRows(const Matrix& a, const Matrix& b) {
    Matrix out{};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            for (int k = 0; k < 4; ++k) out[r * 4 + col] += a[r * 4 + k] * b[k * 4 + col];
    return out;
}
