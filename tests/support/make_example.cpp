// Writes the README's example databases into a directory:
//   make_example DIR          (DIR/example.flt and DIR/fountain.flt, which it references)
//   make_example DIR levels   (DIR/levels.flt, for the viewer's test)
#include <iostream>
#include <string>

#include "ExampleDatabase.h"
#include "TestFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 3 && std::string(argv[2]) == "levels")) {
        std::cerr << "usage: make_example DIR [levels]" << std::endl;
        return 2;
    }
    const std::string dir = argv[1];
    if (argc == 3)
        return writeBinaryFile(dir + "/levels.flt", buildLevelsOfDetailExample()) ? 0 : 1;
    const bool town = writeBinaryFile(dir + "/example.flt", buildExampleDatabase());
    const bool fountain = writeBinaryFile(dir + "/fountain.flt", buildExampleFountain());
    return town && fountain ? 0 : 1;
}
