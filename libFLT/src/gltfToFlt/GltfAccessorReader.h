#pragma once

#include <cstddef>
#include <vector>

namespace tinygltf {
class Model;
}

// Reads an accessor's elements as doubles, component by component, sparse
// substitutions applied and normalized integers scaled to [0, 1] or [-1, 1].
// Every offset is checked against its view and buffer first; anything out of
// range throws GltfInputError naming the accessor.
std::vector<double> readAccessor(const tinygltf::Model& model, int accessor,
                                 std::size_t expectedComponents);

// The element count of an accessor, checked to exist.
std::size_t accessorCount(const tinygltf::Model& model, int accessor);
