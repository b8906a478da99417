#pragma once

#include <string>

#include "DatabaseModel.h"

namespace tinygltf {
class Model;
}

// Turns a loaded glTF model into what the database will hold: the scene's
// node tree with Z-up matrices, each mesh's primitives as faces of three, two
// or one vertices over one vertex list, materials with display colours,
// textures with their samplers, MSFT_lod sets as levels with switch
// distances, and the list of what cannot be held. Throws GltfInputError on
// input that cannot be trusted (indices past their vertices, non-finite
// positions, node cycles, accessors out of range).
database_model::Model gltfToDatabaseModel(const tinygltf::Model& gltf, const std::string& name);
