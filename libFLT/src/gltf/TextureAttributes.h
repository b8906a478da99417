#pragma once

#include <filesystem>

// How a texture is sampled, from the attribute file that may sit beside its
// image (IMAGE.attr): filters and wrapping, as glTF sampler values. Without
// a file: repeat, and trilinear mipmapping.
struct TextureSampling {
    int minFilter;
    int magFilter;
    int wrapS;
    int wrapT;
    bool operator<(const TextureSampling& o) const;
};

TextureSampling defaultSampling();

// The sampling of the image at imagePath. An attribute file that exists but
// cannot be read whole gives a warning and the defaults.
TextureSampling textureSamplingOf(const std::filesystem::path& imagePath);
