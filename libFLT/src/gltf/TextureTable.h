#pragma once

#include <map>
#include <set>
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
    // Whether the texture's image has an alpha channel (cut-outs such as railings).
    bool hasAlpha(int texture) const { return texture >= 0 && withAlpha_.count(texture) > 0; }

private:
    int addTexture(const std::string& fileName);
    void noteMissing(const std::string& fileName);

    tinygltf::Model& model_;
    GltfBinaryBuffer& buffer_;
    std::string baseDir_;
    std::map<std::string, int> byFileName_;
    std::set<int> withAlpha_;
    int sampler_ = -1;
};
