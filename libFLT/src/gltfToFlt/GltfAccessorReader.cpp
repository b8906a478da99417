#include "GltfAccessorReader.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "GltfInputError.h"

namespace {

std::string accessorName(int accessor) { return "accessor " + std::to_string(accessor); }

std::size_t componentSize(int type) {
    switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: return 2;
    case TINYGLTF_COMPONENT_TYPE_INT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT: return 4;
    case TINYGLTF_COMPONENT_TYPE_DOUBLE: return 8;
    default: return 0;
    }
}

template <class T>
T load(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);  // glTF data is little-endian, as this machine
    return value;
}

double componentAt(const unsigned char* at, int type, bool normalized) {
    switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
        const double v = load<int8_t>(at);
        return normalized ? std::max(v / 127.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: return normalized ? load<uint8_t>(at) / 255.0 : load<uint8_t>(at);
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
        const double v = load<int16_t>(at);
        return normalized ? std::max(v / 32767.0, -1.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: return normalized ? load<uint16_t>(at) / 65535.0 : load<uint16_t>(at);
    case TINYGLTF_COMPONENT_TYPE_INT: return load<int32_t>(at);
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: return normalized ? load<uint32_t>(at) / 4294967295.0 : load<uint32_t>(at);
    case TINYGLTF_COMPONENT_TYPE_FLOAT: return load<float>(at);
    default: return load<double>(at);
    }
}

// A checked run of `count` elements of `elementSize` bytes in a buffer view,
// `stride` apart (the view's, or packed when it has none or `packed` is
// asked for); the first element's first byte is returned.
const unsigned char* viewedBytes(const tinygltf::Model& model, int viewIndex, std::size_t offset,
                                 std::size_t count, std::size_t elementSize, std::size_t& stride,
                                 const std::string& what, bool packed = false) {
    if (viewIndex < 0 || static_cast<std::size_t>(viewIndex) >= model.bufferViews.size())
        throw GltfInputError(what + " names buffer view " + std::to_string(viewIndex) + ", which does not exist");
    const tinygltf::BufferView& view = model.bufferViews[viewIndex];
    if (view.buffer < 0 || static_cast<std::size_t>(view.buffer) >= model.buffers.size())
        throw GltfInputError("buffer view " + std::to_string(viewIndex) + " names buffer " +
                             std::to_string(view.buffer) + ", which does not exist");
    const std::vector<unsigned char>& data = model.buffers[view.buffer].data;
    if (view.byteOffset > data.size() || view.byteLength > data.size() - view.byteOffset)
        throw GltfInputError("buffer view " + std::to_string(viewIndex) + " reaches past the end of buffer " +
                             std::to_string(view.buffer) + " (" + std::to_string(data.size()) + " bytes)");
    stride = view.byteStride != 0 && !packed ? view.byteStride : elementSize;
    if (count > 0) {
        const std::size_t limit = view.byteLength;
        if (offset > limit || elementSize > limit - offset ||
            (count - 1) > (limit - offset - elementSize) / stride)
            throw GltfInputError(what + " reaches past the end of buffer view " + std::to_string(viewIndex));
    }
    return data.data() + view.byteOffset + offset;
}

}  // namespace

std::size_t accessorCount(const tinygltf::Model& model, int accessor) {
    if (accessor < 0 || static_cast<std::size_t>(accessor) >= model.accessors.size())
        throw GltfInputError(accessorName(accessor) + " does not exist");
    return model.accessors[accessor].count;
}

std::vector<double> readAccessor(const tinygltf::Model& model, int index, std::size_t expectedComponents) {
    const std::size_t count = accessorCount(model, index);
    const tinygltf::Accessor& accessor = model.accessors[index];
    const std::string what = accessorName(index);
    const std::size_t components = static_cast<std::size_t>(tinygltf::GetNumComponentsInType(accessor.type));
    const std::size_t size = componentSize(accessor.componentType);
    if (size == 0 || components != expectedComponents)
        throw GltfInputError(what + " has the wrong type for its use");

    // Elements held in a view are bounded by its buffer; those made of
    // zeros (sparse accessors without a view) only by this.
    constexpr std::size_t kMostUnviewedValues = std::size_t(1) << 24;
    std::size_t stride = 0;
    const unsigned char* bytes = nullptr;
    if (accessor.bufferView >= 0)
        bytes = viewedBytes(model, accessor.bufferView, accessor.byteOffset, count, components * size, stride, what);
    else if (count > kMostUnviewedValues / components)
        throw GltfInputError(what + " has more elements than a model can hold without their data");
    std::vector<double> values(count * components, 0.0);
    if (bytes) {
        for (std::size_t i = 0; i < count; ++i)
            for (std::size_t c = 0; c < components; ++c)
                values[i * components + c] =
                    componentAt(bytes + i * stride + c * size, accessor.componentType, accessor.normalized);
    }
    if (accessor.sparse.isSparse) {
        const auto& sparse = accessor.sparse;
        const std::size_t sparseCount = static_cast<std::size_t>(std::max(sparse.count, 0));
        const std::size_t indexSize = componentSize(sparse.indices.componentType);
        if (indexSize == 0 || sparseCount > count)
            throw GltfInputError(what + " has a sparse part that does not fit it");
        std::size_t indexStride = 0, valueStride = 0;
        // Sparse parts are packed, whatever their views say.
        const unsigned char* indices = viewedBytes(model, sparse.indices.bufferView, sparse.indices.byteOffset,
                                                   sparseCount, indexSize, indexStride, what + "'s sparse indices", true);
        const unsigned char* replacements =
            viewedBytes(model, sparse.values.bufferView, sparse.values.byteOffset, sparseCount,
                        components * size, valueStride, what + "'s sparse values", true);
        for (std::size_t i = 0; i < sparseCount; ++i) {
            const double target = componentAt(indices + i * indexStride, sparse.indices.componentType, false);
            if (!(target >= 0) || target >= static_cast<double>(count))
                throw GltfInputError(what + " has a sparse index past its elements");
            const std::size_t at = static_cast<std::size_t>(target);
            for (std::size_t c = 0; c < components; ++c)
                values[at * components + c] =
                    componentAt(replacements + i * valueStride + c * size, accessor.componentType, accessor.normalized);
        }
    }
    return values;
}
