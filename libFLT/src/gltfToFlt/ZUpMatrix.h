#pragma once

#include <array>

#include "DatabaseModel.h"

// glTF matrices (column by column, Y up) and OpenFlight's (row by row for
// row vectors, Z up). glTF's (x, y, z) is OpenFlight's (x, -z, y).

database_model::Matrix identityMatrix();
bool isIdentity(const database_model::Matrix& m);

// T * R * S from a translation, a rotation quaternion (x, y, z, w) and a
// scale, column by column.
database_model::Matrix composeMatrix(const std::array<double, 3>& t, const std::array<double, 4>& q,
                                     const std::array<double, 3>& s);

// A glTF node matrix as the OpenFlight Matrix record's rows, turned Z-up.
database_model::Matrix toZUpRows(const database_model::Matrix& columns);

// A point through OpenFlight rows: p * M.
std::array<double, 3> transformPoint(const database_model::Matrix& rows, const std::array<double, 3>& p);
// a then b, for row vectors: a * b.
database_model::Matrix multiplyRows(const database_model::Matrix& a, const database_model::Matrix& b);
