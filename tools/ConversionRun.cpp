#include "ConversionRun.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include "ConversionOutput.h"
#include "FltExtendedRecords.h"
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
    // A root whose records were walked comes with a reference of its own; any other with none.
    const SoRef<SoSeparator> last =
        root->getRefCount() > 0 ? SoRef<SoSeparator>::adopt(root) : SoRef<SoSeparator>(root);
}

// Textures are named relative to the database that uses them, and looked
// for in the texture paths after, indexed once for the whole run.
bool exportTo(SoSeparator* root, const std::string& file, const std::string& out, const FltconvertOptions& options,
              ConversionResult& result)
{
    static const auto searchTrees = std::make_shared<TextureSearchTrees>(options.texturePaths);
    const std::filesystem::path path(file);
    const GltfExportOptions exportOptions{path.parent_path().string(), options.texturePaths,
                                          path.filename().string(), searchTrees};
    std::string error;
    result.exported = true;
    if (exportGltf(root, out, exportOptions, result.missingTextures, error))
        return true;
    std::cerr << "fltconvert: " << error << std::endl;
    return false;
}

// DIR/NAME.glb for each input of a batch, NAME from the input's own name;
// inputs of one name from different folders get NAME-2, NAME-3, ...
class GltfDirNames {
public:
    explicit GltfDirNames(std::string dir) : dir(std::move(dir)) {}

    std::string next(const std::string& file)
    {
        const std::string stem = std::filesystem::path(file).stem().string();
        std::string name = stem.empty() ? "model" : stem;
        for (int suffix = 2; !taken.emplace(name, true).second; ++suffix)
            name = stem + "-" + std::to_string(suffix);
        return (std::filesystem::path(dir) / (name + ".glb")).string();
    }

private:
    std::string dir;
    std::map<std::string, bool> taken;
};

// The highest warning level met, when it reaches `level` (0: none does).
int failedOn(const std::vector<FltWarningMessage>& warnings, int level)
{
    int highest = 0;
    for (const FltWarningMessage& warning : warnings)
        highest = std::max(highest, warning.level);
    return level && highest >= level ? highest : 0;
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
    if (!options.gltfDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.gltfDir, error);
        if (!std::filesystem::is_directory(options.gltfDir)) {
            std::cerr << "fltconvert: cannot create the folder " << options.gltfDir
                      << (error ? ": " + error.message() : std::string()) << std::endl;
            return 2;
        }
    }
    GltfDirNames gltfNames(options.gltfDir);

    if (options.view) {
        const std::string problem = viewerProblem();
        if (!problem.empty()) {
            std::cerr << "fltconvert: " << problem << std::endl;
            return 2;
        }
    }

    SbString pluginError;
    const std::unique_ptr<SoPlugin> plugin =
        SoPlugin::load(options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath, pluginError);
    if (!plugin) {
        std::cerr << "fltconvert: " << pluginError.getString() << std::endl;
        return 2;
    }
    setFltStatisticsRequested(options.statistics);
    setFltExtendedRecords(options.extended);
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

        ConversionResult result;
        result.file = file;
        result.reason = reason;
        // Before the warnings are taken: the export's own count with them.
        if (converted && !options.gltfDir.empty()) {
            result.gltfPath = gltfNames.next(file);
            if (!exportTo(root, file, result.gltfPath, options, result)) {
                result.gltfPath.clear();
                status = 1;
            }
        }
        if (root && !options.gltfOut.empty() && !exportTo(root, file, options.gltfOut, options, result))
            status = 1;
        const std::string viewed = root && options.view ? viewerModelPath() : "";
        const bool viewable = !viewed.empty() && exportTo(root, file, viewed, options, result);
        if (!viewed.empty() && !viewable)
            status = 1;
        result.warnings = console.getWarnings();
        result.failedOn = failedOn(result.warnings, options.failOnLevel);
        if (options.warningsLevel)
            repeatWarnings(file, result.warnings, options.warningsLevel);
        if (!converted || result.failedOn)
            status = 1;
        if (!converted)
            std::cerr << "fltconvert: " + file + ": " + reason + "\n" << std::flush;
        else if (result.failedOn)
            std::cerr << "fltconvert: " + file + ": failed on a warning of level " +
                             std::to_string(result.failedOn) + "\n" << std::flush;

        if (options.json)
            writeAtOnce(STDOUT_FILENO, conversionJson(result, summarizeScene(root)) + "\n");
        else if (converted && !options.quiet)
            writeAtOnce(stdoutIsData ? STDERR_FILENO : STDOUT_FILENO, humanSummary(result, summarizeScene(root)));
        if (sceneStream && root) {
            if (options.files.size() > 1)
                *sceneStream << "# " << file << "\n";
            writeScene(*sceneStream, root);
            sceneStream->flush();
        }
        if (viewable && !serveViewer(viewed))
            status = 1;
        releaseRoot(root);
    }
    return status;
}
