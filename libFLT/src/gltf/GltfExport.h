#pragma once

#include <string>

class SoNode;

// Writes the scene under root as glTF 2.0: a binary .glb when the name ends
// in ".glb", otherwise JSON with the binary data in a .bin file beside it.
// Texture file names in the scene are relative to textureDir. Textures that
// cannot be read are left out with a warning each. Returns false, with the
// reason in error, when the file could not be written.
bool exportGltf(SoNode* root, const std::string& outPath, const std::string& textureDir,
                std::string& error);
