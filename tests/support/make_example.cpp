// Writes the README's example databases into a directory:
//   make_example DIR    (DIR/example.flt and DIR/fountain.flt, which it references)
#include <fstream>
#include <iostream>
#include <string>

#include "ExampleDatabase.h"

namespace {

bool write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::cerr << "make_example: cannot write " << path << std::endl;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_example DIR" << std::endl;
        return 2;
    }
    const std::string dir = argv[1];
    const bool town = write(dir + "/example.flt", buildExampleDatabase());
    const bool fountain = write(dir + "/fountain.flt", buildExampleFountain());
    return town && fountain ? 0 : 1;
}
