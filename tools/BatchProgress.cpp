#include "BatchProgress.h"

#include <unistd.h>

#include <string>

#include "ConversionOutput.h"

void BatchProgress::show(std::size_t done)
{
    writeAtOnce(STDERR_FILENO, "\rfltconvert: " + std::to_string(done) + " of " + std::to_string(found) +
                                   " inputs done\x1b[K");
    shown = true;
}

void BatchProgress::clear()
{
    if (shown)
        writeAtOnce(STDERR_FILENO, "\r\x1b[K");
    shown = false;
}
