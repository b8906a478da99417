#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What an OpenFlight database written from another format will hold, in
// OpenFlight's terms (Z up, metres, display colours, textures bottom-up) but
// before any record exists: the writer's plain picture of the model.
namespace database_model {

using Matrix = std::array<double, 16>;  // row by row; a point is a row vector

struct Vertex {
    std::array<double, 3> position{};
    std::array<float, 3> normal{};
    std::array<float, 2> uv{};
    uint32_t packedAbgr = 0xFFFFFFFF;
    bool hasNormal = false;
    bool hasUv = false;
    bool hasColor = false;
};

struct Face {
    std::vector<uint32_t> vertices;  // into Model::vertices; 3, 2 or 1 of them
    int material = -1;               // into Model::materials
    int texture = -1;                // into Model::textures
    bool doubleSided = false;
    bool lit = true;
    bool vertexColors = false;
    uint32_t packedAbgr = 0xFFFFFFFF;  // the face's own colour (unlit faces)
    uint16_t transparency = 0;         // 0 opaque, 65535 clear
};

struct Mesh {
    std::string name;
    std::vector<Face> faces;
};

struct Material {
    std::string name;
    std::array<float, 3> diffuse{1, 1, 1};
    std::array<float, 3> emissive{};
    float alpha = 1;
};

struct Texture {
    std::string name;              // a file name stem, unique in the model
    std::vector<unsigned char> encoded;  // the image as the model holds it
    int minFilter = -1;            // glTF sampler values; -1 when unset
    int magFilter = -1;
    int wrapS = 10497;  // repeat
    int wrapT = 10497;
};

// A node shown between two distances from a centre: one level of a set.
struct Level {
    double switchIn = 0;   // farthest distance it is shown at
    double switchOut = 0;  // nearest
    std::array<double, 3> center{};
};

struct Node {
    std::string name;
    bool hasMatrix = false;
    Matrix matrix{};
    int mesh = -1;
    std::vector<int> children;
    // Set on each node of a level-of-detail set, the finest first.
    bool isLevel = false;
    Level level;
    // Set on the finest node of a set: its coarser siblings, in order.
    std::vector<int> coarserLevels;
};

struct Model {
    std::string name;
    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    std::vector<Node> nodes;
    std::vector<int> roots;
    // What the model has that the database cannot hold, one entry per kind.
    std::vector<std::string> leftOut;
};

}  // namespace database_model
