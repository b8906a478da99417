#include "GltfSource.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "GltfInputError.h"

namespace {

// Keeps an image's bytes as they are; decoding waits until it is written.
// The glTF library hands over a buffer view's bytes without checking that
// the view lies in its buffer: that is checked here, on the model being read.
bool keepEncodedImage(tinygltf::Image* image, const int index, std::string* error, std::string*, int, int,
                      const unsigned char* bytes, int size, void* modelBeingRead) {
    if (image->bufferView >= 0) {
        const auto& model = *static_cast<const tinygltf::Model*>(modelBeingRead);
        const std::size_t viewIndex = std::size_t(image->bufferView);
        const tinygltf::BufferView* view = viewIndex < model.bufferViews.size() ? &model.bufferViews[viewIndex] : nullptr;
        const std::size_t held = view && std::size_t(view->buffer) < model.buffers.size()
                                     ? model.buffers[std::size_t(view->buffer)].data.size() : 0;
        if (!view || view->byteOffset > held || view->byteLength > held - view->byteOffset) {
            if (error) *error += "image " + std::to_string(index) + " reaches past the end of its buffer\n";
            return false;
        }
    }
    image->image.assign(bytes, bytes + std::max(size, 0));
    image->width = image->height = image->component = -1;
    return true;
}

// Buffers and images beside the model: regular files only (not a device
// that never ends), of a size a model can have; an empty folder means none.
constexpr std::uintmax_t kLargestFile = std::uintmax_t(1) << 31;

bool isModelFile(const std::string& path, void* folder) {
    std::error_code code;
    return !static_cast<const std::string*>(folder)->empty() && std::filesystem::is_regular_file(path, code) &&
           std::filesystem::file_size(path, code) < kLargestFile;
}

std::string pathAsItIs(const std::string& path, void*) { return path; }

bool readModelFile(std::vector<unsigned char>* bytes, std::string* error, const std::string& path, void* folder) {
    if (!isModelFile(path, folder)) {
        if (error) *error += "file not found: " + path + "\n";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeNothing(std::string*, const std::string&, const std::vector<unsigned char>&, void*) { return false; }

// Extensions whose absence changes nothing the database holds, or that are read here.
const std::set<std::string>& understoodExtensions() {
    static const std::set<std::string> names{"KHR_materials_unlit", "KHR_mesh_quantization", "MSFT_lod",
                                             "KHR_texture_transform", "KHR_materials_emissive_strength"};
    return names;
}

std::string firstLine(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

InputKind inputKindOf(const std::vector<unsigned char>& bytes) {
    if (bytes.size() >= 4 && std::equal(bytes.begin(), bytes.begin() + 4, "glTF")) return InputKind::BinaryGltf;
    // An OpenFlight database opens with its header record: opcode 1.
    if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 1) return InputKind::OpenFlight;
    std::size_t i = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;  // UTF-8 mark
    while (i < bytes.size() && std::isspace(bytes[i])) ++i;
    return i < bytes.size() && bytes[i] == '{' ? InputKind::JsonGltf : InputKind::Unknown;
}

void loadGltf(const std::vector<unsigned char>& bytes, const std::string& baseDir, tinygltf::Model& model) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(keepEncodedImage, &model);
    std::string folder = baseDir;
    loader.SetFsCallbacks({isModelFile, pathAsItIs, readModelFile, writeNothing, &folder});
    std::string error, warning;
    bool loaded = false;
    if (bytes.size() > 0xFFFFFFFFu) throw GltfInputError("the model is larger than glTF allows");
    if (inputKindOf(bytes) == InputKind::BinaryGltf) {
        loaded = loader.LoadBinaryFromMemory(&model, &error, &warning, bytes.data(),
                                             static_cast<unsigned int>(bytes.size()), baseDir);
    } else {
        const std::string text(bytes.begin(), bytes.end());
        loaded = loader.LoadASCIIFromString(&model, &error, &warning, text.data(),
                                            static_cast<unsigned int>(text.size()), baseDir);
    }
    if (!loaded) throw GltfInputError("the model cannot be read: " + firstLine(error.empty() ? warning : error));

    for (const std::string& name : model.extensionsRequired)
        if (!understoodExtensions().count(name))
            throw GltfInputError("the model requires extension " + name + ", which cannot be decoded here");
    for (std::size_t i = 0; i < model.buffers.size(); ++i)
        if (model.buffers[i].data.empty() && !model.buffers[i].uri.empty())
            throw GltfInputError("buffer " + std::to_string(i) + " (" + model.buffers[i].uri + ") is missing");
    for (std::size_t i = 0; i < model.images.size(); ++i)
        if (model.images[i].image.empty())
            throw GltfInputError("image " + std::to_string(i) +
                                 (model.images[i].uri.empty() ? std::string() : " (" + model.images[i].uri + ")") +
                                 " is missing or empty");
}
