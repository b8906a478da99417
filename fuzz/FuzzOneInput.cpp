// Arbitrary bytes through the whole system: the input is cut into up to
// three databases (so that external references between fuzzed files are
// followed); the reader tests the first, by name and as an open file; it is
// converted with its statistics file, its scene is written as text,
// measured, exported as glTF and released.

#include "FuzzOneInput.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DatabaseReport.h"
#include "FltDumpStage.h"
#include "FltStatisticsRequest.h"
#include "FltWarningMessageConsole.h"
#include "FuzzInput.h"
#include "GltfExport.h"
#include "SoInput.h"
#include "SoInputFltReader.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

const std::string& workDir()
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/flt-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

void writeParts(const uint8_t* data, std::size_t size)
{
    const std::size_t separatorLength = sizeof kFuzzFileSeparator - 1;
    const char* begin = reinterpret_cast<const char*>(data);
    const char* end = begin + size;
    for (const char* name : kFuzzFileNames) {
        const std::string path = workDir() + "/" + name;
        if (!begin) {
            unlink(path.c_str()); // a file of an earlier input must not linger
            continue;
        }
        const char* cut = static_cast<const char*>(memmem(begin, end - begin, kFuzzFileSeparator, separatorLength));
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(begin, (cut ? cut : end) - begin);
        begin = cut ? cut + separatorLength : nullptr;
    }
}

void askTheReader(const std::string& path)
{
    static const bool registered = [] {
        SoInputFltReader::initClass();
        return true;
    }();
    (void)registered;
    SoInputFltReader reader;
    SoInput byName;
    byName.setFileName(path.c_str());
    reader.canConvert(&byName);
    SoInput open;
    if (open.openFile(path.c_str()))
        reader.canConvert(&open);
}

} // namespace

void runFuzzInput(const uint8_t* data, std::size_t size)
{
    writeParts(data, size);
    NullBuffer nothing;
    std::ostream sink(&nothing);
    std::streambuf* savedOut = std::cout.rdbuf(&nothing);
    std::streambuf* savedErr = std::cerr.rdbuf(&nothing);

    // Fuzzed files are small: most of them are dumped on a second thread too.
    FltDumpStage::setBackgroundSize(2048);
    const std::string path = workDir() + "/" + kFuzzFileNames[0];
    askTheReader(path);
    setFltStatisticsRequested(true);
    if (SoSeparator* root = convertFltFile(path.c_str())) {
        if (root->getRefCount() == 0)
            root->ref();
        writeScene(sink, root);
        SoGetBoundingBoxAction bounds{SbViewportRegion()};
        bounds.apply(root);
        std::string error;
        exportGltf(root, workDir() + "/scene.glb", workDir(), error);
        root->unref();
    }
    // fltconvert --info's read of the same files, and both forms of its report.
    const DatabaseInfo info = readDatabaseInfo(path);
    sink << databaseReportText(path, info) << databaseReportJson(path, info);

    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    // The console keeps every warning of the process; a fuzzer's process lives long.
    FltWarningMessageConsole::instance().clear();
}
