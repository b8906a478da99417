#pragma once

#include <map>
#include <string>

#include "GltfBinaryBuffer.h"

// The model's textures, one per image file: each image is read once (SGI
// .rgb/.rgba/.int/.inta and whatever else ImageMagick knows), converted to
// PNG and stored in the binary buffer. A file that cannot be read is warned
// about once and gives no texture.
class TextureTable {
public:
    // Relative file names are looked up in baseDir.
    TextureTable(tinygltf::Model& model, GltfBinaryBuffer& buffer, std::string baseDir);

    // The glTF texture index for the file, or -1.
    int textureFor(const std::string& fileName);

private:
    int addTexture(const std::string& fileName);

    tinygltf::Model& model_;
    GltfBinaryBuffer& buffer_;
    std::string baseDir_;
    std::map<std::string, int> byFileName_;
    int sampler_ = -1;
};
