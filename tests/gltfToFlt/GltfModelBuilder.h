#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <tiny_gltf.h>

// Composes small glTF models for tests: data goes into one buffer, each
// call adds what its name says and returns its index.
class GltfModelBuilder {
public:
    GltfModelBuilder();

    int floats(const std::vector<float>& values, int type);  // TINYGLTF_TYPE_VEC3 and so on
    int indices(const std::vector<uint16_t>& values);
    // A primitive of `mode` over positions (and the attributes given, by name).
    int mesh(const std::string& name, int positions, int indices = -1, int mode = TINYGLTF_MODE_TRIANGLES,
             int material = -1, const std::vector<std::pair<std::string, int>>& attributes = {});
    int material(const std::string& name, const std::vector<double>& baseColor, bool doubleSided = false,
                 bool unlit = false, const std::string& alphaMode = "OPAQUE");
    int node(const std::string& name, int mesh = -1, const std::vector<int>& children = {});
    // The scene's roots.
    void scene(const std::vector<int>& roots);
    // A buffer view of the bytes.
    int view(const void* bytes, std::size_t size);

    tinygltf::Model model;
    // The model as a .glb file's bytes.
    std::vector<unsigned char> glb();
    // The model as JSON, its buffer embedded.
    std::string json();

private:
    std::string written(bool binary);
};

// The unit quad in glTF's x-y plane, two triangles.
std::vector<float> quadPositions();
