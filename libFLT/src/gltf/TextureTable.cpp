#include "TextureTable.h"

// Before Magick++.h: ImageMagick 6 includes <assert.h> inside its own namespace.
#include <cassert>
#include <tiny_gltf.h>

#include <Magick++.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "FltWarningMessageConsole.h"
#include "GltfText.h"

namespace {

// SGI images carry several extensions that ImageMagick does not map to its
// reader by name, so they are read with the format given explicitly.
std::string magickSource(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const sgi[] = {".rgb", ".rgba", ".int", ".inta", ".sgi", ".bw"};
    for (const char* known : sgi)
        if (extension == known) return "SGI:" + path.string();
    return path.string();
}

// The image as PNG bytes, or an empty blob with the reason in error.
Magick::Blob readAsPng(const std::filesystem::path& path, bool& hasAlpha, std::string& error) {
    static const bool initialized = [] {
        Magick::InitializeMagick(nullptr);
        return true;
    }();
    (void)initialized;
    Magick::Blob png;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        error = "no such file";
        return png;
    }
    try {
        Magick::Image image;
        image.quiet(true);  // the reader's own warnings are not ours to print
        image.read(magickSource(path));
        hasAlpha = image.matte();  // ImageMagick 6 calls the alpha channel "matte"
        image.magick("PNG");
        // Without dates and times the same database exports the same bytes.
        image.defineValue("png", "exclude-chunks", "date,time");
        image.write(&png);
    } catch (const Magick::Exception& e) {
        error = e.what();
        png = Magick::Blob();
    }
    return png;
}

}  // namespace

TextureTable::TextureTable(tinygltf::Model& model, GltfBinaryBuffer& buffer, TextureResolver& resolver)
    : model_(model), buffer_(buffer), resolver_(resolver) {}

int TextureTable::textureFor(const std::string& fileName) {
    if (fileName.empty()) return -1;
    const auto known = byFileName_.find(fileName);
    if (known != byFileName_.end()) return known->second;
    const int texture = addTexture(fileName);
    byFileName_.emplace(fileName, texture);
    return texture;
}

int TextureTable::addTexture(const std::string& fileName) {
    const std::filesystem::path path = resolver_.resolve(fileName);
    if (path.empty()) {
        missing_.push_back(fileName);
        const std::string text = "glTF export: texture " + fileName + " left out (not found)";
        addWarning(text.c_str(), 1, true);
        return -1;
    }
    std::string error;
    bool hasAlpha = false;
    const Magick::Blob png = readAsPng(path, hasAlpha, error);
    if (png.length() == 0) {
        const std::string text = "glTF export: texture " + fileName + " left out (" +
                                 (error.empty() ? "empty image" : error) + ")";
        addWarning(text.c_str(), 1, true);
        return -1;
    }

    tinygltf::Image image;
    image.name = gltfText(fileName);
    image.mimeType = "image/png";
    image.bufferView = buffer_.addView(model_, png.data(), png.length(), 0);
    model_.images.push_back(image);

    tinygltf::Texture texture;
    texture.name = gltfText(fileName);
    texture.source = static_cast<int>(model_.images.size()) - 1;
    texture.sampler = samplerFor(textureSamplingOf(path));
    model_.textures.push_back(texture);
    const int index = static_cast<int>(model_.textures.size()) - 1;
    if (hasAlpha) withAlpha_.insert(index);
    return index;
}

int TextureTable::samplerFor(const TextureSampling& sampling) {
    const auto known = samplers_.find(sampling);
    if (known != samplers_.end()) return known->second;
    tinygltf::Sampler sampler;
    sampler.minFilter = sampling.minFilter;
    sampler.magFilter = sampling.magFilter;
    sampler.wrapS = sampling.wrapS;
    sampler.wrapT = sampling.wrapT;
    model_.samplers.push_back(sampler);
    const int index = static_cast<int>(model_.samplers.size()) - 1;
    samplers_.emplace(sampling, index);
    return index;
}
