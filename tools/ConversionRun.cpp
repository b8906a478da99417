#include "ConversionRun.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "ConversionOutput.h"
#include "FltHeaderCheck.h"
#include "FltStatisticsRequest.h"
#include "GltfExport.h"
#include "GltfViewerServer.h"
#include "ProgressLine.h"
#include "Veldra.h"

namespace {

// The plug-in as built beside the program, else where an installation puts
// libraries relative to its programs.
std::string defaultPluginPath()
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path beside = folder / FLT_PLUGIN_FILE_NAME;
    if (fs::exists(beside, error))
        return beside.string();
    return (folder / FLT_BIN_TO_LIB / FLT_PLUGIN_FILE_NAME).lexically_normal().string();
}

// Why no reader took the input, or an empty string when one did.
std::string readInput(const std::string& file, SoSeparator*& root)
{
    root = nullptr;
    SoInput input;
    if (!input.openFile(file.c_str()))
        return std::strerror(errno);
    if (SoInputReader::read(&input, root))
        return "";
    // The OpenFlight reader's own test says why it refused; a file it would
    // take was refused by a plug-in that is not it.
    const std::string reason = fltFileRefusal(input.getCurFile());
    return reason.empty() ? "no reader accepts it" : reason;
}

// Gives the caller's last hold on a returned root back, freeing the scene.
void releaseRoot(SoSeparator* root)
{
    if (!root)
        return;
    if (root->getRefCount() == 0)
        root->ref();
    root->unref();
}

// Textures are named relative to the database that uses them.
bool exportAndView(SoSeparator* root, const std::string& file, const FltconvertOptions& options)
{
    const std::string textureDir = std::filesystem::path(file).parent_path().string();
    const std::string out = options.view ? viewerModelPath() : options.gltfOut;
    std::string error;
    if (!exportGltf(root, out, textureDir, error)) {
        std::cerr << "fltconvert: " << error << std::endl;
        return false;
    }
    return !options.view || serveViewer(out);
}

} // namespace

int convertInputs(const FltconvertOptions& options)
{
    // With machine-readable output on standard output, everything else goes to the error stream.
    const bool stdoutIsData = options.json || options.sceneOut == "-";

    std::unique_ptr<std::ofstream> sceneFile;
    std::ostream* sceneStream = nullptr;
    if (options.sceneOut == "-") {
        sceneStream = &std::cout;
    } else if (!options.sceneOut.empty()) {
        sceneFile = std::make_unique<std::ofstream>(options.sceneOut, std::ios::trunc);
        if (!*sceneFile) {
            std::cerr << "fltconvert: cannot write " << options.sceneOut << std::endl;
            return 2;
        }
        sceneStream = sceneFile.get();
    }

    SbString pluginError;
    const std::unique_ptr<SoPlugin> plugin =
        SoPlugin::load(options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath, pluginError);
    if (!plugin) {
        std::cerr << "fltconvert: " << pluginError.getString() << std::endl;
        return 2;
    }
    setFltStatisticsRequested(options.statistics);
    FltWarningMessageConsole& console = FltWarningMessageConsole::instance();
    if (options.quiet)
        console.setEchoLevel(3);
    std::unique_ptr<ProgressLine> progress;
    if (!options.json && !options.quiet && isatty(STDERR_FILENO))
        progress = std::make_unique<ProgressLine>(std::chrono::duration<double>(options.progressDelay));

    int status = 0;
    for (const std::string& file : options.files) {
        // Each file's warnings alone, for --json and --warnings; a long batch
        // does not keep them all either.
        console.clear();
        if (progress)
            progress->start();

        // What the conversion itself prints: lost when quiet.
        std::streambuf* standardOutput = std::cout.rdbuf();
        if (options.quiet)
            std::cout.rdbuf(nullptr);
        else if (stdoutIsData)
            std::cout.rdbuf(std::cerr.rdbuf());
        SoSeparator* root = nullptr;
        std::string reason = readInput(file, root);
        std::cout.rdbuf(standardOutput);
        if (progress)
            progress->clear();
        // The reader's root keeps a reference exactly when the records were walked.
        const bool converted = root && root->getRefCount() > 0;
        if (!converted && reason.empty())
            reason = "the conversion failed (see its warnings)";

        const std::vector<FltWarningMessage> warnings = console.getWarnings();
        if (options.warningsLevel)
            repeatWarnings(file, warnings, options.warningsLevel);
        if (!converted) {
            status = 1;
            std::cerr << "fltconvert: " + file + ": " + reason + "\n" << std::flush;
        }

        if (options.json)
            writeAtOnce(STDOUT_FILENO, conversionJson(file, reason, warnings, summarizeScene(root)) + "\n");
        else if (converted && !options.quiet)
            writeAtOnce(stdoutIsData ? STDERR_FILENO : STDOUT_FILENO, humanSummary(file, summarizeScene(root)));
        if (sceneStream && root) {
            if (options.files.size() > 1)
                *sceneStream << "# " << file << "\n";
            writeScene(*sceneStream, root);
            sceneStream->flush();
        }
        if (root && (options.view || !options.gltfOut.empty()) && !exportAndView(root, file, options))
            status = 1;
        releaseRoot(root);
    }
    return status;
}
