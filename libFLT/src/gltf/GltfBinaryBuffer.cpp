#include "GltfBinaryBuffer.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <vector>

GltfBinaryBuffer::GltfBinaryBuffer(const std::string& path, std::size_t inMemoryLimit)
    : inMemoryLimit_(inMemoryLimit), inMemory_(path.empty()), file_(path.empty() ? nullptr : std::fopen(path.c_str(), "w+b")) {}

bool GltfBinaryBuffer::write(const void* data, std::size_t bytes) {
    if (inMemory_ && memory_.size() + bytes > inMemoryLimit_) {
        // Too large to keep: the bytes so far go to a temporary file, the rest follows them.
        inMemory_ = false;
        file_ = std::tmpfile();
        const bool moved = file_ && std::fwrite(memory_.data(), 1, memory_.size(), file_) == memory_.size();
        std::string().swap(memory_);
        if (!moved) return false;
    }
    if (inMemory_) {
        memory_.append(static_cast<const char*>(data), bytes);
        return true;
    }
    return file_ && std::fwrite(data, 1, bytes, file_) == bytes;
}

GltfBinaryBuffer::~GltfBinaryBuffer() { close(); }

int GltfBinaryBuffer::addView(tinygltf::Model& model, const void* data, std::size_t bytes,
                              int target) {
    static const char padding[4] = {0, 0, 0, 0};
    const std::size_t pad = (4 - size_ % 4) % 4;
    if (!write(padding, pad) || !write(data, bytes)) failed_ = true;
    size_ += pad;

    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = static_cast<std::size_t>(size_);
    view.byteLength = bytes;
    view.target = target;
    size_ += bytes;
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size()) - 1;
}

bool GltfBinaryBuffer::copyTo(std::FILE* out) {
    if (inMemory_) return std::fwrite(memory_.data(), 1, memory_.size(), out) == memory_.size();
    if (!file_ || std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
    // Pieces of a megabyte at most, no larger than the data (the vector zeroes them).
    std::vector<char> chunk(static_cast<std::size_t>(std::min<uint64_t>(size_, 1 << 20)));
    uint64_t left = size_;
    while (left > 0) {
        const std::size_t want = left < chunk.size() ? static_cast<std::size_t>(left) : chunk.size();
        if (std::fread(chunk.data(), 1, want, file_) != want) return false;
        if (std::fwrite(chunk.data(), 1, want, out) != want) return false;
        left -= want;
    }
    return true;
}

bool GltfBinaryBuffer::close() {
    inMemory_ = false;
    std::string().swap(memory_);
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}
