#pragma once

#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "SbBox3f.h"

class SoNode;

// Exports the scene and reads the file back (images are kept undecoded).
tinygltf::Model exportAndLoad(SoNode* root, const std::string& path, const std::string& textureDir = "");

// The box of every vertex a triangle of the default scene draws, in world space.
SbBox3f drawnBounds(const tinygltf::Model& model);

// The box SoGetBoundingBoxAction computes for the scene.
SbBox3f sceneBounds(SoNode* root);

// Names of the default scene's nodes, one entry per node.
std::vector<std::string> nodeNames(const tinygltf::Model& model);

// The Khronos validator's error count for each file, or an empty vector
// when the validator is not installed (viewer/node_modules).
std::vector<int> validatorErrors(const std::vector<std::string>& files);

bool sameBox(const SbBox3f& a, const SbBox3f& b);
