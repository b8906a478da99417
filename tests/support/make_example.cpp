// Writes the README's example database: make_example OUT.flt
#include <fstream>
#include <iostream>

#include "ExampleDatabase.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_example OUT.flt" << std::endl;
        return 2;
    }
    std::vector<uint8_t> bytes = buildExampleDatabase();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
