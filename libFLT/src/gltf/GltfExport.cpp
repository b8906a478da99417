#include "GltfExport.h"

#include <tiny_gltf.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "GltfBinaryBuffer.h"
#include "SceneToGltf.h"
#include "TextureResolver.h"

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The model's JSON with the one buffer described: tinygltf would copy the
// buffer's bytes to write them, so they stay in their file and only the
// buffer's entry is added here.
std::string documentJson(const tinygltf::Model& model, uint64_t bufferSize, const std::string& bufferUri) {
    tinygltf::TinyGLTF writer;
    std::ostringstream text;
    writer.WriteGltfSceneToStream(&model, text, false, false);
    nlohmann::json document = nlohmann::json::parse(text.str());
    // tinygltf writes an object with nothing but defaults (an unnamed empty
    // node, say) as null, which glTF does not allow.
    for (auto& [key, value] : document.items())
        if (value.is_array())
            for (auto& element : value)
                if (element.is_null()) element = nlohmann::json::object();
    if (bufferSize > 0) {
        nlohmann::json buffer = {{"byteLength", bufferSize}};
        if (!bufferUri.empty()) buffer["uri"] = bufferUri;
        document["buffers"] = nlohmann::json::array({buffer});
    }
    return document.dump();
}

void putLittleEndian32(std::FILE* out, uint32_t value) {
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16),
                                    static_cast<unsigned char>(value >> 24)};
    std::fwrite(bytes, 1, 4, out);
}

// The .glb container: a 12-byte header, the JSON chunk (padded with spaces)
// and the binary chunk (padded with zeros).
bool writeGlb(const std::string& path, std::string json, GltfBinaryBuffer& buffer) {
    json.append((4 - json.size() % 4) % 4, ' ');
    const uint64_t binaryLength = (buffer.size() + 3) / 4 * 4;
    const uint64_t total = 12 + 8 + json.size() + (binaryLength ? 8 + binaryLength : 0);
    if (total > UINT32_MAX) return false;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    putLittleEndian32(out, 0x46546C67);  // "glTF"
    putLittleEndian32(out, 2);
    putLittleEndian32(out, static_cast<uint32_t>(total));
    putLittleEndian32(out, static_cast<uint32_t>(json.size()));
    putLittleEndian32(out, 0x4E4F534A);  // "JSON"
    std::fwrite(json.data(), 1, json.size(), out);
    bool ok = true;
    if (binaryLength) {
        putLittleEndian32(out, static_cast<uint32_t>(binaryLength));
        putLittleEndian32(out, 0x004E4942);  // "BIN"
        ok = buffer.copyTo(out);
        static const char zeros[4] = {0, 0, 0, 0};
        std::fwrite(zeros, 1, binaryLength - buffer.size(), out);
    }
    ok = std::ferror(out) == 0 && ok;
    return std::fclose(out) == 0 && ok;
}

// Databases are Z-up, glTF is Y-up: one node above the scene turns it so
// that a database's (x, y, z) lands at (x, z, -y). Below it the scene keeps
// its own coordinates.
int uprightRoot(tinygltf::Model& model, int sceneRoot) {
    tinygltf::Node upright;
    upright.name = "Z-up to Y-up";
    upright.matrix = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};  // by columns
    upright.children.push_back(sceneRoot);
    model.nodes.push_back(std::move(upright));
    return static_cast<int>(model.nodes.size()) - 1;
}

}  // namespace

bool exportGltf(SoNode* root, const std::string& outPath, const std::string& textureDir, std::string& error) {
    std::vector<std::string> missingTextures;
    return exportGltf(root, outPath, GltfExportOptions{textureDir, {}}, missingTextures, error);
}

bool exportGltf(SoNode* root, const std::string& outPath, const GltfExportOptions& options,
                std::vector<std::string>& missingTextures, std::string& error) {
    const bool binary = endsWith(outPath, ".glb");
    const std::string binPath = binary ? "" : std::filesystem::path(outPath).replace_extension(".bin").string();
    GltfBinaryBuffer buffer(binPath);
    if (!buffer.isOpen()) {
        error = "cannot write " + (binary ? std::string("a temporary file") : binPath);
        return false;
    }

    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "libFLT fltconvert";
    tinygltf::Scene scene;
    TextureResolver textures(options.textureDir, options.texturePaths);
    SceneToGltf converter(model, buffer, textures);
    const int rootNode = converter.add(root);
    missingTextures = converter.missingTextures();
    if (rootNode >= 0) scene.nodes.push_back(uprightRoot(model, rootNode));
    model.scenes.push_back(scene);
    model.defaultScene = 0;

    const std::string json =
        documentJson(model, buffer.size(), std::filesystem::path(binPath).filename().string());
    bool ok = !buffer.hasFailed();
    if (binary) {
        ok = ok && writeGlb(outPath, json, buffer);
        buffer.close();
    } else {
        ok = buffer.close() && ok;
        if (buffer.size() == 0) {
            std::error_code ignored;
            std::filesystem::remove(binPath, ignored);
        }
        std::FILE* out = std::fopen(outPath.c_str(), "wb");
        ok = ok && out && std::fwrite(json.data(), 1, json.size(), out) == json.size();
        if (out) ok = (std::fclose(out) == 0) && ok;
    }
    if (!ok) error = "cannot write " + outPath;
    return ok;
}
