#include "GltfModelBuilder.h"

#include <cstring>
#include <sstream>

GltfModelBuilder::GltfModelBuilder() {
    model.buffers.resize(1);
    model.asset.version = "2.0";
}

int GltfModelBuilder::view(const void* bytes, std::size_t size) {
    std::vector<unsigned char>& data = model.buffers[0].data;
    while (data.size() % 4) data.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = size;
    const auto* begin = static_cast<const unsigned char*>(bytes);
    data.insert(data.end(), begin, begin + size);
    model.bufferViews.push_back(view);
    return int(model.bufferViews.size()) - 1;
}

int GltfModelBuilder::floats(const std::vector<float>& values, int type) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view(values.data(), values.size() * sizeof(float));
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    accessor.type = type;
    accessor.count = values.size() / tinygltf::GetNumComponentsInType(type);
    if (type == TINYGLTF_TYPE_VEC3 && accessor.count > 0) {
        accessor.minValues = {1e30, 1e30, 1e30};
        accessor.maxValues = {-1e30, -1e30, -1e30};
        for (std::size_t i = 0; i < values.size(); ++i) {
            accessor.minValues[i % 3] = std::min<double>(accessor.minValues[i % 3], values[i]);
            accessor.maxValues[i % 3] = std::max<double>(accessor.maxValues[i % 3], values[i]);
        }
    }
    model.accessors.push_back(accessor);
    return int(model.accessors.size()) - 1;
}

int GltfModelBuilder::indices(const std::vector<uint16_t>& values) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view(values.data(), values.size() * sizeof(uint16_t));
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    accessor.type = TINYGLTF_TYPE_SCALAR;
    accessor.count = values.size();
    model.accessors.push_back(accessor);
    return int(model.accessors.size()) - 1;
}

int GltfModelBuilder::mesh(const std::string& name, int positions, int indices, int mode, int material,
                           const std::vector<std::pair<std::string, int>>& attributes) {
    tinygltf::Primitive primitive;
    primitive.attributes["POSITION"] = positions;
    for (const auto& attribute : attributes) primitive.attributes[attribute.first] = attribute.second;
    primitive.indices = indices;
    primitive.mode = mode;
    primitive.material = material;
    tinygltf::Mesh mesh;
    mesh.name = name;
    mesh.primitives.push_back(primitive);
    model.meshes.push_back(mesh);
    return int(model.meshes.size()) - 1;
}

int GltfModelBuilder::material(const std::string& name, const std::vector<double>& baseColor, bool doubleSided,
                               bool unlit, const std::string& alphaMode) {
    tinygltf::Material material;
    material.name = name;
    material.pbrMetallicRoughness.baseColorFactor = baseColor;
    material.doubleSided = doubleSided;
    material.alphaMode = alphaMode;
    if (unlit) {
        material.extensions["KHR_materials_unlit"] = tinygltf::Value(tinygltf::Value::Object());
        model.extensionsUsed.push_back("KHR_materials_unlit");
    }
    model.materials.push_back(material);
    return int(model.materials.size()) - 1;
}

int GltfModelBuilder::node(const std::string& name, int mesh, const std::vector<int>& children) {
    tinygltf::Node node;
    node.name = name;
    node.mesh = mesh;
    node.children = children;
    model.nodes.push_back(node);
    return int(model.nodes.size()) - 1;
}

void GltfModelBuilder::scene(const std::vector<int>& roots) {
    tinygltf::Scene scene;
    scene.nodes = roots;
    model.scenes = {scene};
    model.defaultScene = 0;
}

std::string GltfModelBuilder::written(bool binary) {
    tinygltf::Model copy = model;
    if (copy.buffers[0].data.empty()) copy.buffers.clear();  // glTF has no empty buffers
    std::ostringstream out;
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&copy, out, false, binary);
    return out.str();
}

std::vector<unsigned char> GltfModelBuilder::glb() {
    const std::string bytes = written(true);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::string GltfModelBuilder::json() { return written(false); }

std::vector<float> quadPositions() { return {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0}; }
