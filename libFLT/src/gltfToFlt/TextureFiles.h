#pragma once

#include <string>
#include <vector>

#include "DatabaseModel.h"

enum class TextureFileFormat { Png, Sgi };

// A texture as the files written beside the database: the image in the
// chosen format and its attribute file (IMAGE.attr), which carries the
// sampler's filters and wrapping.
struct TextureFile {
    std::string name;  // relative to the database
    std::vector<unsigned char> image;
    std::vector<unsigned char> attributes;
};

// Throws GltfInputError naming the texture when its image cannot be decoded.
TextureFile textureFile(const database_model::Texture& texture, const std::string& stem, TextureFileFormat format);

const char* textureFileExtension(TextureFileFormat format);
