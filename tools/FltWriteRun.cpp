#include "FltWriteRun.h"

#include <iostream>

#include "FltFromGltf.h"
#include "FltWarningMessageConsole.h"

int writeFltDatabase(const FltconvertOptions& options)
{
    if (options.quiet)
        FltWarningMessageConsole::instance().setEchoLevel(3);
    FltWriteOptions writeOptions;
    writeOptions.textureFormat = options.textureFormat == "rgb" ? TextureFileFormat::Sgi : TextureFileFormat::Png;
    std::string error;
    if (!writeFlt(options.files.front(), options.fltOut, writeOptions, error)) {
        std::cerr << "fltconvert: " << error << std::endl;
        return 1;
    }
    return 0;
}
