#include "FltMemoryFiles.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

struct MemoryFiles {
    std::mutex lock;
    std::map<std::string, std::pair<const unsigned char*, std::size_t>> images;
};

MemoryFiles& memoryFiles()
{
    static MemoryFiles files;
    return files;
}

} // namespace

void provideFltMemoryFile(const std::string& name, const unsigned char* bytes, std::size_t size)
{
    MemoryFiles& files = memoryFiles();
    const std::lock_guard<std::mutex> guard(files.lock);
    files.images[name] = {bytes, size};
}

void withdrawFltMemoryFile(const std::string& name)
{
    MemoryFiles& files = memoryFiles();
    const std::lock_guard<std::mutex> guard(files.lock);
    files.images.erase(name);
}

bool findFltMemoryFile(const std::string& name, const unsigned char*& bytes, std::size_t& size)
{
    MemoryFiles& files = memoryFiles();
    const std::lock_guard<std::mutex> guard(files.lock);
    const auto found = files.images.find(name);
    if (found == files.images.end())
        return false;
    bytes = found->second.first;
    size = found->second.second;
    return true;
}
