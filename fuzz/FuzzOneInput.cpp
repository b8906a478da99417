// Arbitrary bytes through the whole system: the input is cut into up to
// three databases (so that external references between fuzzed files are
// followed); the first is parsed and encoded again (its records, when
// whole, must give back its bytes); the reader tests it, by name and as an
// open file; it is converted with its statistics file, its scene is written as text,
// measured, exported as glTF and released; some inputs are also read as
// fltconvert --info reads them.
//
// Nothing touches a disk: the databases lie in a memory-backed folder, and
// the transcript and the statistics file are written into /dev/null.

#include "FuzzOneInput.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "DatabaseReport.h"
#include "FltDumpStage.h"
#include "FltExtendedRecords.h"
#include "FltReencode.h"
#include "FltStatisticsRequest.h"
#include "FltWarningMessageConsole.h"
#include "FuzzInput.h"
#include "GltfExport.h"
#include "SoInput.h"
#include "SoInputFltReader.h"
#include "Veldra.h"
#include "convertFltFile.h"

namespace {

// What the conversion of a.flt and the export write, all into /dev/null
// (the .gltf's binary data is read by nothing, but its file is written).
constexpr const char* kSinkNames[] = {"a.flt.log", "a.flt.stat", "scene.glb", "scene.gltf"};
constexpr const char* kGltfBinaryName = "scene.bin";
constexpr uint64_t kUsualBackgroundSize = uint64_t(1) << 20;

// The process's folder for the databases of one input at a time, in shared
// memory where there is some; what the conversion writes beside a database
// is a link to /dev/null. Removed when the process exits.
class WorkDir {
public:
    WorkDir()
    {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/flt-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("flt fuzzer: a folder of its own");
            std::abort();
        }
        dir = pattern;
        for (const char* name : kSinkNames)
            if (symlink("/dev/null", file(name).c_str()) != 0)
                std::perror("flt fuzzer: a link to /dev/null");
    }

    ~WorkDir()
    {
        for (const char* name : kFuzzFileNames)
            unlink(file(name).c_str());
        for (const char* name : kSinkNames)
            unlink(file(name).c_str());
        unlink(file(kGltfBinaryName).c_str());
        rmdir(dir.c_str());
    }

    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    std::string file(const std::string& name) const { return dir + "/" + name; }
    const std::string& path() const { return dir; }

private:
    std::string dir;
};

const WorkDir& workDir()
{
    static const WorkDir dir;
    return dir;
}

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

void writeFiles(const FuzzInputParts& parts)
{
    for (std::size_t i = 0; i < kFuzzMaxFiles; ++i) {
        const std::string path = workDir().file(kFuzzFileNames[i]);
        if (i >= parts.files.size()) {
            unlink(path.c_str()); // a file of an earlier input must not linger
            continue;
        }
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(parts.files[i].data, 1, parts.files[i].size, file);
            std::fclose(file);
        }
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

bool reencodesToItsBytes(const uint8_t* data, std::size_t size)
{
    const FltReencoded again = reencodeFltImage(data, size, kFuzzFileNames[0]);
    return !again.whole ||
           (again.bytes.size() == size && std::equal(again.bytes.begin(), again.bytes.end(), data));
}

void runFuzzInput(const uint8_t* data, std::size_t size)
{
    const FuzzInputParts parts = splitFuzzInput(data, size);
    writeFiles(parts);
    NullBuffer nothing;
    std::ostream sink(&nothing);
    std::streambuf* savedOut = std::cout.rdbuf(&nothing);
    std::streambuf* savedErr = std::cerr.rdbuf(&nothing);

    FltDumpStage::setBackgroundSize(parts.options & kFuzzDumpOnSecondThread ? 0 : kUsualBackgroundSize);
    const bool extendedBefore = isFltExtendedRecords();
    // Inputs without options (plain databases) read the extended records
    // when their size is odd, so that half of every kind of input does.
    const bool extended = parts.hasOptions ? (parts.options & kFuzzExtendedRecords) != 0 : size % 2 == 1;
    setFltExtendedRecords(extended);
    const std::string path = workDir().file(kFuzzFileNames[0]);
    // Writing gives back what was read, for every first file whose records are whole.
    if (!reencodesToItsBytes(parts.files[0].data, parts.files[0].size)) {
        std::fputs("flt fuzzer: a.flt's records are whole but encode to other bytes\n", stderr);
        std::abort();
    }
    askTheReader(path);
    setFltStatisticsRequested(true);
    if (SoSeparator* root = convertFltFile(path.c_str())) {
        if (root->getRefCount() == 0)
            root->ref();
        writeScene(sink, root);
        SoGetBoundingBoxAction bounds{SbViewportRegion()};
        bounds.apply(root);
        std::string error;
        const char* gltfName = parts.options & kFuzzGltfAsJson ? "scene.gltf" : "scene.glb";
        exportGltf(root, workDir().file(gltfName), workDir().path(), error);
        root->unref();
    }
    // fltconvert --info's read of the same files, and both forms of its
    // report, for one input in four: its parse is the conversion's, and what
    // is its own is covered at a quarter of the cost.
    if (parts.hasOptions ? (parts.options & kFuzzInfoReport) != 0 : size % 4 == 0) {
        const DatabaseInfo info = readDatabaseInfo(path);
        sink << databaseReportText(path, info) << databaseReportJson(path, info);
    }

    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    // Process-wide switches go back to what the process had (the tests replay inputs too).
    setFltExtendedRecords(extendedBefore);
    FltDumpStage::setBackgroundSize(kUsualBackgroundSize);
    // The console keeps every warning of the process; a fuzzer's process lives long.
    FltWarningMessageConsole::instance().clear();
}
