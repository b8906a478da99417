// fltconvert [OPTION]... FILE...
//
// Converts each OpenFlight file (a folder: every one below it; a zip: every
// one inside it) through the reader plug-in (its transcript goes to
// FILE.log, warnings to the error stream) and summarises the scene it gives,
// or says why it was refused; -j spreads the files over worker processes. --gltf exports the scene of the one
// file given, --gltf-dir that of each; --view exports it and shows it in a
// browser; --info reports on each file without converting it; --flt writes
// the one input (glTF or OpenFlight) as an OpenFlight database. --help lists
// every option.

#include <iostream>

#include "ConversionRun.h"
#include "DatabaseReport.h"
#include "FltconvertOptions.h"
#include "FltWriteRun.h"

int main(int argc, char** argv)
{
    FltconvertOptions options;
    const std::string error = parseFltconvertOptions(argc, argv, options);
    if (!error.empty()) {
        std::cerr << "fltconvert: " << error << "\n" << fltconvertUsage << std::endl;
        return 2;
    }
    if (options.help) {
        std::cout << fltconvertUsage << "\n" << fltconvertHelp;
        return 0;
    }
    if (options.version) {
        std::cout << "fltconvert (libFLT) " FLT_VERSION "\n";
        return 0;
    }
    if (!options.fltOut.empty())
        return writeFltDatabase(options);
    return options.info ? reportDatabases(options) : convertInputs(options);
}
