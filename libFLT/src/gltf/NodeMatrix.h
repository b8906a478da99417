#pragma once

#include <vector>

#include "SbMatrix.h"

// Host matrices act on row vectors (translation in the last row); glTF's act
// on column vectors and are stored by columns, which lists the same sixteen
// numbers in the host's row order.
namespace node_matrix {

bool isIdentity(const SbMatrix& m);
// JSON has no NaN or infinity: such a matrix cannot be written.
bool isFinite(const SbMatrix& m);

// Whether glTF accepts m as a node matrix: no projective part, and a linear
// part that is a rotation (or reflection) times a scale, without shear.
bool isTrs(const SbMatrix& m);

std::vector<double> toGltf(const SbMatrix& m);

}  // namespace node_matrix
