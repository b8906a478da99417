#pragma once

#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

// What an input file is, told by its first bytes rather than its name.
enum class InputKind { BinaryGltf, JsonGltf, OpenFlight, Unknown };
InputKind inputKindOf(const std::vector<unsigned char>& bytes);

// Loads a glTF model (binary or JSON) from its bytes; buffers and images
// named by relative URIs are read from baseDir (none when it is empty). Images are kept as encoded,
// to be decoded only when written. Throws GltfInputError with the reason
// when the model cannot be read or needs an extension this cannot decode.
void loadGltf(const std::vector<unsigned char>& bytes, const std::string& baseDir, tinygltf::Model& model);
