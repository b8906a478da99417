#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TextureSearchTrees.h"

class SoNode;

struct GltfExportOptions {
    std::string textureDir;                 // the database's folder: relative texture names start there
    std::vector<std::string> texturePaths;  // more trees to look for textures in, in turn
    std::string name = "";                  // the database's name, the scene's name in the file
    // The texture paths' index, shared by a run of exports (null: one of this export's own).
    std::shared_ptr<TextureSearchTrees> searchTrees = nullptr;
};

// Writes the scene under root as glTF 2.0: a binary .glb when the name ends
// in ".glb", otherwise JSON with the binary data in a .bin file beside it.
// The scene is turned from Z-up to glTF's Y-up. Textures that cannot be
// found or read are left out with a warning each; missingTextures gets the
// names found nowhere. Returns false, with the reason in error, when the
// file could not be written.
bool exportGltf(SoNode* root, const std::string& outPath, const GltfExportOptions& options,
                std::vector<std::string>& missingTextures, std::string& error);

// The same, texture names relative to textureDir and looked for beside it.
bool exportGltf(SoNode* root, const std::string& outPath, const std::string& textureDir,
                std::string& error);
