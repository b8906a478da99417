#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tinygltf {
class Model;
}

// The one binary buffer of an exported file, kept apart from the model as
// it grows so that a scene's vertex data is never held twice: meshes are
// appended one by one and only the buffer keeps them. Each append becomes a
// buffer view of the model.
class GltfBinaryBuffer {
public:
    // Writes to path. Without a path (a .glb's binary chunk, written after
    // the JSON) the bytes are kept in memory up to `inMemoryLimit`, beyond
    // it in an anonymous temporary file.
    static constexpr std::size_t kInMemoryLimit = std::size_t(64) << 20;
    explicit GltfBinaryBuffer(const std::string& path, std::size_t inMemoryLimit = kInMemoryLimit);
    ~GltfBinaryBuffer();
    GltfBinaryBuffer(const GltfBinaryBuffer&) = delete;
    GltfBinaryBuffer& operator=(const GltfBinaryBuffer&) = delete;

    bool isOpen() const { return file_ != nullptr || inMemory_; }
    bool hasFailed() const { return failed_; }
    uint64_t size() const { return size_; }

    // Appends bytes on a 4-byte boundary and returns the new buffer view's
    // index. target is the GL buffer target, or 0 for none (images).
    int addView(tinygltf::Model& model, const void* data, std::size_t bytes, int target);

    // Copies everything written so far to out (for the binary chunk of a .glb).
    bool copyTo(std::FILE* out);
    bool close();

private:
    bool write(const void* data, std::size_t bytes);

    std::size_t inMemoryLimit_;
    bool inMemory_ = false;
    std::string memory_; // the bytes while in memory
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    bool failed_ = false;
};
