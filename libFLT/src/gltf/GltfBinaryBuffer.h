#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tinygltf {
class Model;
}

// The one binary buffer of an exported file, written to disk as it grows so
// that a scene's vertex data is never held in memory twice: meshes are
// appended one by one and only the file keeps them. Each append becomes a
// buffer view of the model.
class GltfBinaryBuffer {
public:
    // Writes to path, or to an anonymous temporary file when path is empty.
    explicit GltfBinaryBuffer(const std::string& path);
    ~GltfBinaryBuffer();
    GltfBinaryBuffer(const GltfBinaryBuffer&) = delete;
    GltfBinaryBuffer& operator=(const GltfBinaryBuffer&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    bool hasFailed() const { return failed_; }
    uint64_t size() const { return size_; }

    // Appends bytes on a 4-byte boundary and returns the new buffer view's
    // index. target is the GL buffer target, or 0 for none (images).
    int addView(tinygltf::Model& model, const void* data, std::size_t bytes, int target);

    // Copies everything written so far to out (for the binary chunk of a .glb).
    bool copyTo(std::FILE* out);
    bool close();

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    bool failed_ = false;
};
