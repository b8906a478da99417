#pragma once

#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "SbBox3f.h"

class SoNode;

// Exports the scene and reads the file back (images are kept undecoded).
tinygltf::Model exportAndLoad(SoNode* root, const std::string& path, const std::string& textureDir = "");

// Entry i of an index accessor, 16 or 32 bits wide.
uint32_t indexAt(const tinygltf::Model& model, int accessorIndex, std::size_t i);

// The box of every vertex a triangle of the default scene draws, in world space.
SbBox3f drawnBounds(const tinygltf::Model& model);

// The box SoGetBoundingBoxAction computes for the scene.
SbBox3f sceneBounds(SoNode* root);

// Names of the default scene's nodes, one entry per node.
std::vector<std::string> nodeNames(const tinygltf::Model& model);

// A database's box as the exported file shows it: (x, y, z) at (x, z, -y).
SbBox3f turnedYUp(const SbBox3f& box);
bool boxInside(const SbBox3f& inner, const SbBox3f& outer);

// Primitives drawn by the default scene, each mesh counted where it is placed.
int drawCalls(const tinygltf::Model& model);
// Nodes of the default scene that place a mesh.
int meshPlacements(const tinygltf::Model& model);

struct ValidatorReport {
    int errors;
    int warnings;
    int drawCalls;
};

// The Khronos validator's report on each file. When the validator is not
// installed (viewer/node_modules) the test is marked skipped, saying so,
// and the vector is empty.
std::vector<ValidatorReport> validatorReports(const std::vector<std::string>& files);

bool sameBox(const SbBox3f& a, const SbBox3f& b);
