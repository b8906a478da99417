// Writes the README's example databases into a directory:
//   make_example DIR    (DIR/example.flt and DIR/fountain.flt, which it references)
#include <iostream>
#include <string>

#include "ExampleDatabase.h"
#include "TestFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_example DIR" << std::endl;
        return 2;
    }
    const std::string dir = argv[1];
    const bool town = writeBinaryFile(dir + "/example.flt", buildExampleDatabase());
    const bool fountain = writeBinaryFile(dir + "/fountain.flt", buildExampleFountain());
    return town && fountain ? 0 : 1;
}
