#pragma once

#include <string>
#include <vector>

#include "TextureFiles.h"

struct FltWriteOptions {
    TextureFileFormat textureFormat = TextureFileFormat::Png;
};

// A glTF model written as an OpenFlight database, in memory: the database's
// bytes, its texture files (named relative to it) and what was left out.
struct FltFromGltf {
    std::vector<unsigned char> database;
    std::vector<TextureFile> textures;
    std::vector<std::string> leftOut;
};

// The model in `input` (binary or JSON glTF; its relative URIs read from
// baseDir), texture file names starting with textureStem. Throws
// GltfInputError with the reason when the model cannot be written.
FltFromGltf fltFromGltf(const std::vector<unsigned char>& input, const std::string& baseDir,
                        const std::string& textureStem, const FltWriteOptions& options);

// Writes the OpenFlight database outPath from the file inputPath, recognised
// by its content: a glTF model (textures written beside outPath, named after
// it), or an OpenFlight database, whose records are written back as they
// were read. What the model holds that a database cannot is listed in one
// level-1 warning. Nothing is left behind on failure, and an existing file
// is replaced only by a complete one. Returns false with a one-line reason.
bool writeFlt(const std::string& inputPath, const std::string& outPath, const FltWriteOptions& options,
              std::string& error);
