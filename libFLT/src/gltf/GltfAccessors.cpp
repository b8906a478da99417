#include "GltfAccessors.h"

#include <tiny_gltf.h>

#include <algorithm>

namespace gltf_accessors {
namespace {

int addAccessor(tinygltf::Model& model, int view, int componentType, int type, std::size_t count) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size()) - 1;
}

}  // namespace

int addVec3(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<float>& xyz,
            bool withBounds) {
    const int view = buffer.addView(model, xyz.data(), xyz.size() * sizeof(float),
                                    TINYGLTF_TARGET_ARRAY_BUFFER);
    const int index = addAccessor(model, view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3,
                                  xyz.size() / 3);
    if (withBounds && !xyz.empty()) {
        std::vector<double> low(xyz.begin(), xyz.begin() + 3), high = low;
        for (std::size_t i = 0; i < xyz.size(); ++i) {
            low[i % 3] = std::min<double>(low[i % 3], xyz[i]);
            high[i % 3] = std::max<double>(high[i % 3], xyz[i]);
        }
        model.accessors[index].minValues = low;
        model.accessors[index].maxValues = high;
    }
    return index;
}

int addVec2(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<float>& uv) {
    const int view = buffer.addView(model, uv.data(), uv.size() * sizeof(float),
                                    TINYGLTF_TARGET_ARRAY_BUFFER);
    return addAccessor(model, view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, uv.size() / 2);
}

int addIndices(tinygltf::Model& model, GltfBinaryBuffer& buffer, const std::vector<uint32_t>& indices,
               uint32_t vertexCount) {
    if (vertexCount > UINT16_MAX) {
        const int view = buffer.addView(model, indices.data(), indices.size() * sizeof(uint32_t),
                                        TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        return addAccessor(model, view, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR,
                           indices.size());
    }
    const std::vector<uint16_t> narrow(indices.begin(), indices.end());
    const int view = buffer.addView(model, narrow.data(), narrow.size() * sizeof(uint16_t),
                                    TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    return addAccessor(model, view, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR, narrow.size());
}

}  // namespace gltf_accessors
