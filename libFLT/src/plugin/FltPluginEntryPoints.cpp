#include "FltPluginEntryPoints.h"

#include "SoInputFltReader.h"

void initPlugin()
{
    SoInputFltReader::initClass();
}

void exitPlugin()
{
    SoInputFltReader::exitClass();
}
