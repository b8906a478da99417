#include "FltFileInput.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <iostream>

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
        std::cerr << "Error in opening file: " << fileName << std::endl;
        return;
    }
    std::cout << std::endl << "Success in opening file: " << fileName << std::endl;
    open = true;
    const std::size_t wanted = static_cast<std::size_t>(status.st_size);
    data.reset(new unsigned char[wanted ? wanted : 1]);
    // A file that shrank while being read keeps what could be read.
    size = wanted ? std::fread(data.get(), 1, wanted, file) : 0;
    std::fclose(file);
}
