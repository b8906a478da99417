#include "GltfExport.h"

#include <tiny_gltf.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "GltfBinaryBuffer.h"
#include "GltfText.h"
#include "SceneToGltf.h"
#include "TextureResolver.h"

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The model's JSON with the one buffer described: tinygltf would copy the
// buffer's bytes to write them, so they stay in their own store and only the
// buffer's entry is added here, in its place among the keys tinygltf writes
// sorted. tinygltf also writes an object with nothing but defaults (an
// unnamed empty node, say) as null, which glTF does not allow: such an
// element of a top-level list becomes {}. Both are mended in tinygltf's
// compact text as it is copied, without reading it into objects again.
std::string documentJson(const tinygltf::Model& model, uint64_t bufferSize, const std::string& bufferUri) {
    tinygltf::TinyGLTF writer;
    std::ostringstream stream;
    writer.WriteGltfSceneToStream(&model, stream, false, false);
    const std::string text = stream.str();
    std::string buffers;  // the "buffers" member, when there is a buffer
    if (bufferSize > 0) {
        nlohmann::json buffer = {{"byteLength", bufferSize}};
        if (!bufferUri.empty()) buffer["uri"] = bufferUri;
        buffers = "\"buffers\":" + nlohmann::json::array({buffer}).dump();
    }

    std::string out;
    out.reserve(text.size() + buffers.size() + 8);
    std::vector<char> open;  // the containers the scan is in, '{' or '['
    bool expectKey = false;  // next string is a key of the top-level object
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            const std::size_t start = at;
            for (++at; at < text.size() && text[at] != '"'; ++at)
                if (text[at] == '\\') ++at;
            if (expectKey && !buffers.empty()) {
                // The model has no buffers of its own: tinygltf writes no "buffers" key.
                if (text.compare(start + 1, at - start - 1, "buffers") > 0) {
                    out += buffers + ",";
                    buffers.clear();
                }
            }
            expectKey = false;
            out.append(text, start, at - start + 1);
            continue;
        }
        if (c == '{' || c == '[') {
            open.push_back(c);
            expectKey = open.size() == 1;
        } else if (c == '}' || c == ']') {
            if (open.size() == 1 && !buffers.empty()) {
                if (out.back() != '{') out += ',';
                out += buffers;
                buffers.clear();
            }
            if (!open.empty()) open.pop_back();
            if (open.empty()) {  // the document's end: tinygltf's line break after it is not part of it
                out += c;
                break;
            }
        } else if (c == ',') {
            expectKey = open.size() == 1;
        } else if (c == 'n' && open.size() == 2 && open[1] == '[' && text.compare(at, 4, "null") == 0) {
            out += "{}";
            at += 3;
            continue;
        }
        out += c;
    }
    return out;
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
    return exportGltf(root, outPath, GltfExportOptions{textureDir, {}, "", nullptr}, missingTextures, error);
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
    scene.name = gltfText(options.name);  // a viewer's title
    TextureResolver textures(options.textureDir, options.searchTrees
                                                     ? options.searchTrees
                                                     : std::make_shared<TextureSearchTrees>(options.texturePaths));
    SceneToGltf converter(model, buffer, textures);
    const int rootNode = converter.add(root);
    missingTextures = converter.missingTextures();
    // A viewer tells how many textures the model lacks.
    if (!missingTextures.empty()) {
        tinygltf::Value::Array names;
        for (const std::string& name : missingTextures) names.emplace_back(gltfText(name));
        model.asset.extras =
            tinygltf::Value(tinygltf::Value::Object{{"missingTextures", tinygltf::Value(std::move(names))}});
    }
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
