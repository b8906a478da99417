#include "convertFltFile.h"

#include <cstring>
#include <string>

#include "FltFileInput.h"
#include "FltToVeldra.h"

SoSeparator* convertFltFile(const char* fileName, bool& converted)
{
    converted = false;
    if (!fileName || std::strlen(fileName) == 0)
        return nullptr;

    FltFileInput input(fileName);
    SoSeparator* root = nullptr;
    {
        FltToVeldra converter;
        converter.setInput(&input);
        converter.openLog((std::string(fileName) + ".log").c_str());
        root = new SoSeparator;
        root->ref();
        converter.setRoot(root);
        converter.run();
        converted = converter.isConverted();
        root->unrefNoDelete();
    }
    return root;
}

SoSeparator* convertFltFile(const char* fileName)
{
    bool converted = false;
    return convertFltFile(fileName, converted);
}
