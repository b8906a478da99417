#include "TextureAttributes.h"

#include <tiny_gltf.h>

#include <fstream>
#include <string>
#include <tuple>

#include "FltWarningMessageConsole.h"

namespace {

// The attribute file's fields this export uses: big-endian 32-bit integers
// at these byte offsets.
constexpr int kMinFilterAt = 28;
constexpr int kMagFilterAt = 32;
constexpr int kWrapAt = 36;
constexpr int kWrapUAt = 40;
constexpr int kWrapVAt = 44;
constexpr int kBytesUsed = 48;

int32_t bigEndianAt(const unsigned char* bytes, int offset) {
    return static_cast<int32_t>(uint32_t(bytes[offset]) << 24 | uint32_t(bytes[offset + 1]) << 16 |
                                uint32_t(bytes[offset + 2]) << 8 | uint32_t(bytes[offset + 3]));
}

int minFilterOf(int32_t value) {
    switch (value) {
    case 0: return TINYGLTF_TEXTURE_FILTER_NEAREST;                 // point
    case 1: return TINYGLTF_TEXTURE_FILTER_LINEAR;                  // bilinear
    case 3: return TINYGLTF_TEXTURE_FILTER_NEAREST_MIPMAP_NEAREST;  // mipmap point
    case 4: return TINYGLTF_TEXTURE_FILTER_NEAREST_MIPMAP_LINEAR;   // mipmap linear
    case 5: return TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_NEAREST;   // mipmap bilinear
    case 8:                                                          // bicubic and the
    case 9:                                                          // comparison variants:
    case 10:                                                         // as near as glTF gets
    case 11:
    case 12: return TINYGLTF_TEXTURE_FILTER_LINEAR;
    default: return TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;  // mipmap, trilinear, none, unknown
    }
}

int magFilterOf(int32_t value) {
    return value == 0 ? TINYGLTF_TEXTURE_FILTER_NEAREST : TINYGLTF_TEXTURE_FILTER_LINEAR;
}

int wrapOf(int32_t value, int fallback) {
    switch (value) {
    case 0: return TINYGLTF_TEXTURE_WRAP_REPEAT;
    case 1:                                              // clamp
    case 2: return TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;  // clamp to border: glTF has no border
    case 4: return TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT;
    default: return fallback;  // 3: as the common setting
    }
}

}  // namespace

bool TextureSampling::operator<(const TextureSampling& o) const {
    return std::tie(minFilter, magFilter, wrapS, wrapT) < std::tie(o.minFilter, o.magFilter, o.wrapS, o.wrapT);
}

TextureSampling defaultSampling() {
    return {TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR, TINYGLTF_TEXTURE_FILTER_LINEAR,
            TINYGLTF_TEXTURE_WRAP_REPEAT, TINYGLTF_TEXTURE_WRAP_REPEAT};
}

TextureSampling textureSamplingOf(const std::filesystem::path& imagePath) {
    std::filesystem::path attrPath = imagePath;
    attrPath += ".attr";
    std::error_code ignored;
    if (!std::filesystem::exists(attrPath, ignored)) return defaultSampling();

    unsigned char bytes[kBytesUsed];
    std::ifstream in(attrPath, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes), kBytesUsed)) {
        const std::string text = "glTF export: texture attributes " + attrPath.string() +
                                 " cannot be read; the texture repeats and is mipmapped";
        addWarning(text.c_str(), 1, true);
        return defaultSampling();
    }
    const int wrap = wrapOf(bigEndianAt(bytes, kWrapAt), TINYGLTF_TEXTURE_WRAP_REPEAT);
    return {minFilterOf(bigEndianAt(bytes, kMinFilterAt)), magFilterOf(bigEndianAt(bytes, kMagFilterAt)),
            wrapOf(bigEndianAt(bytes, kWrapUAt), wrap), wrapOf(bigEndianAt(bytes, kWrapVAt), wrap)};
}
