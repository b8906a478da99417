#include "FltFileInput.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "FltMemoryFiles.h"

namespace {

// From this size on the image is mapped with all its pages at once, which
// costs far less than the page faults of filling fresh heap memory.
constexpr std::size_t kMappedImageSize = std::size_t(1) << 20;

} // namespace

void FltFileInput::ImageRelease::operator()(unsigned char* bytes) const
{
    if (mappedBytes)
        munmap(bytes, mappedBytes);
    else
        delete[] bytes;
}

void FltFileInput::announceOpening(const std::string& fileName, bool opened)
{
    if (opened)
        std::cout << std::endl << "Success in opening file: " << fileName << std::endl;
    else
        std::cerr << "Error in opening file: " << fileName << std::endl;
}

FltFileInput::FltFileInput(const char* name) : fileName(name ? name : "")
{
    for (char& c : fileName)
        if (c == '\\')
            c = '/';
    const std::string::size_type slash = fileName.rfind('/');
    if (slash != std::string::npos) {
        directory = fileName.substr(0, slash + 1);
        hasDirectory = true;
    }

    const unsigned char* provided = nullptr;
    std::size_t providedSize = 0;
    if (findFltMemoryFile(fileName, provided, providedSize) && providedSize <= INT32_MAX) {
        announceOpening(fileName, true);
        open = true;
        data.reset(new unsigned char[providedSize ? providedSize : 1]);
        if (providedSize)
            std::memcpy(data.get(), provided, providedSize);
        size = providedSize;
        return;
    }

    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    // Only regular files have a size to trust: a directory or a device
    // would otherwise pass for a file of some arbitrary length.
    struct stat status;
    if (file && (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) ||
                 status.st_size > INT32_MAX)) {
        std::fclose(file);
        file = nullptr;
    }
    if (!file) {
        announceOpening(fileName, false);
        return;
    }
    announceOpening(fileName, true);
    open = true;
    const std::size_t wanted = static_cast<std::size_t>(status.st_size);
    void* mapped = wanted >= kMappedImageSize
                       ? mmap(nullptr, wanted, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0)
                       : MAP_FAILED;
    if (mapped != MAP_FAILED)
        data = std::unique_ptr<unsigned char[], ImageRelease>(static_cast<unsigned char*>(mapped),
                                                               ImageRelease{wanted});
    else
        data.reset(new unsigned char[wanted ? wanted : 1]);
    // A file that shrank while being read keeps what could be read.
    size = wanted ? std::fread(data.get(), 1, wanted, file) : 0;
    std::fclose(file);
}
