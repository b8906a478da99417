#include "TextureFiles.h"

// Before Magick++.h: ImageMagick 6 includes <assert.h> inside its own namespace.
#include <cassert>

#include <Magick++.h>

#include <algorithm>

#include "GltfInputError.h"

namespace {

// glTF sampler values (OpenGL's) as the attribute file's codes.
int32_t minFilterCode(int filter) {
    switch (filter) {
    case 9728: return 0;  // nearest: point
    case 9729: return 1;  // linear: bilinear
    case 9984: return 3;  // nearest mipmap nearest: mipmap point
    case 9986: return 4;  // nearest mipmap linear: mipmap linear
    case 9985: return 5;  // linear mipmap nearest: mipmap bilinear
    default: return 2;    // linear mipmap linear, and unset: trilinear
    }
}

int32_t magFilterCode(int filter) { return filter == 9728 ? 0 : 1; }

int32_t wrapCode(int wrap) {
    switch (wrap) {
    case 33071: return 1;  // clamp to edge
    case 33648: return 4;  // mirrored repeat
    default: return 0;     // repeat
    }
}

void putBigEndian(std::vector<unsigned char>& bytes, std::size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(uint32_t(value) >> (24 - 8 * i));
}

// The attribute file's leading fields, big-endian 32-bit words: texels in u
// and v, then (from byte 28) minification and magnification filters, the
// common wrap mode and the wrap modes in u and v; the rest stays zero.
std::vector<unsigned char> attributeFile(const database_model::Texture& texture, int width, int height) {
    constexpr std::size_t kLength = 120;
    std::vector<unsigned char> bytes(kLength, 0);
    putBigEndian(bytes, 0, width);
    putBigEndian(bytes, 4, height);
    putBigEndian(bytes, 28, minFilterCode(texture.minFilter));
    putBigEndian(bytes, 32, magFilterCode(texture.magFilter));
    const int32_t u = wrapCode(texture.wrapS), v = wrapCode(texture.wrapT);
    putBigEndian(bytes, 36, u == v ? u : 0);
    putBigEndian(bytes, 40, u);
    putBigEndian(bytes, 44, v);
    return bytes;
}

bool isPng(const std::vector<unsigned char>& bytes) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::equal(signature, signature + 8, bytes.begin());
}

}  // namespace

const char* textureFileExtension(TextureFileFormat format) { return format == TextureFileFormat::Sgi ? ".rgb" : ".png"; }

TextureFile textureFile(const database_model::Texture& texture, const std::string& stem, TextureFileFormat format) {
    static const bool initialized = [] {
        Magick::InitializeMagick(nullptr);
        // An image's header decides how much it takes to decode: not a hostile one.
        Magick::ResourceLimits::width(16384);
        Magick::ResourceLimits::height(16384);
        Magick::ResourceLimits::area(MagickCore::MagickSizeType(1) << 28);
        return true;
    }();
    (void)initialized;
    TextureFile file;
    file.name = stem + texture.name + textureFileExtension(format);
    try {
        Magick::Image image;
        image.quiet(true);
        const Magick::Blob source(texture.encoded.data(), texture.encoded.size());
        if (format == TextureFileFormat::Png && isPng(texture.encoded)) {
            // Already what is asked for: the bytes as they are, only the size read.
            image.ping(source);
            file.image = texture.encoded;
            file.attributes = attributeFile(texture, static_cast<int>(image.columns()), static_cast<int>(image.rows()));
            return file;
        }
        image.read(source);
        image.magick(format == TextureFileFormat::Sgi ? "SGI" : "PNG");
        // Without dates and times the same model writes the same bytes.
        if (format == TextureFileFormat::Png) {
            image.defineValue("png", "exclude-chunks", "date,time");
            image.quality(15);  // zlib level 1, sub filter: large images write fast, still lossless
        }
        Magick::Blob encoded;
        image.write(&encoded);
        const auto* data = static_cast<const unsigned char*>(encoded.data());
        file.image.assign(data, data + encoded.length());
        file.attributes = attributeFile(texture, static_cast<int>(image.columns()), static_cast<int>(image.rows()));
    } catch (const Magick::Exception&) {
        throw GltfInputError("the image of texture " + texture.name + " cannot be decoded");
    }
    return file;
}
