#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "GltfBinaryBuffer.h"
#include "TextureAttributes.h"
#include "TextureResolver.h"

// The model's textures, one per image file: each image is read once (SGI
// .rgb/.rgba/.int/.inta and whatever else ImageMagick knows), converted to
// PNG and stored in the binary buffer, sampled as its attribute file says.
// A file that cannot be found or read is warned about once and gives no
// texture.
class TextureTable {
public:
    TextureTable(tinygltf::Model& model, GltfBinaryBuffer& buffer, TextureResolver& resolver);

    // The glTF texture index for the file, or -1.
    int textureFor(const std::string& fileName);
    // Whether the texture's image has an alpha channel (cut-outs such as railings).
    bool hasAlpha(int texture) const { return texture >= 0 && withAlpha_.count(texture) > 0; }
    // The names found nowhere, in the order they came.
    const std::vector<std::string>& missing() const { return missing_; }

private:
    int addTexture(const std::string& fileName);
    int samplerFor(const TextureSampling& sampling);

    tinygltf::Model& model_;
    GltfBinaryBuffer& buffer_;
    TextureResolver& resolver_;
    std::map<std::string, int> byFileName_;
    std::set<int> withAlpha_;
    std::map<TextureSampling, int> samplers_;
    std::vector<std::string> missing_;
};
