// Loads the OpenFlight plug-in through the host, reads the file given and
// prints the scene's text form.

#include <iostream>
#include <memory>

#include "Veldra.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: flt_consumer FILE" << std::endl;
        return 2;
    }
    SbString error;
    const std::unique_ptr<SoPlugin> plugin = SoPlugin::load(FLT_PLUGIN, error);
    if (!plugin) {
        std::cerr << error.getString() << std::endl;
        return 2;
    }
    SoInput input;
    input.setFileName(argv[1]);
    SoSeparator* root = nullptr;
    if (!SoInputReader::read(&input, root) || !root) {
        std::cerr << "no reader accepts " << argv[1] << std::endl;
        return 1;
    }
    // A converted root comes with one reference, the caller's; a refused one with none.
    if (root->getRefCount() == 0)
        root->ref();
    writeScene(std::cout, root);
    root->unref();
    return 0;
}
