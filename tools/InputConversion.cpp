#include "InputConversion.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "ConversionOutput.h"
#include "FltHeaderCheck.h"
#include "FltLogPlacement.h"
#include "GltfExport.h"
#include "GltfViewerServer.h"
#include "InterruptCleanup.h"
#include "ProgressLine.h"
#include "Veldra.h"
#include "ZipInput.h"

namespace {

// Why no reader took the input, or an empty string when one did.
std::string readOpenInput(SoInput& input, SoSeparator*& root)
{
    if (SoInputReader::read(&input, root))
        return "";
    // The OpenFlight reader's own test says why it refused; a file it would
    // take was refused by a plug-in that is not it.
    const std::string reason = fltFileRefusal(input.getCurFile());
    return reason.empty() ? "no reader accepts it" : reason;
}

// A zip member is read from memory under the name it would have beside its
// archive, so that its relative references and textures resolve there.
std::string readMember(const BatchInput& batchInput, SoSeparator*& root)
{
    const ZipMemberImage image(batchInput.zipPath, batchInput.member, batchInput.path);
    if (!image.error().empty())
        return image.error();
    // Opened for reading only: the image is not written through it.
    std::FILE* file = fmemopen(const_cast<unsigned char*>(image.bytes().data()), image.bytes().size(), "rb");
    if (!file)
        return std::strerror(errno);
    std::string reason;
    {
        SoInput input;
        input.setFilePointer(file, batchInput.path.c_str());
        reason = readOpenInput(input, root);
    }
    std::fclose(file);
    return reason;
}

std::string readInput(const BatchInput& batchInput, SoSeparator*& root)
{
    root = nullptr;
    if (!batchInput.zipPath.empty())
        return readMember(batchInput, root);
    SoInput input;
    if (!input.openFile(batchInput.path.c_str()))
        return std::strerror(errno);
    return readOpenInput(input, root);
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
// for in the texture paths after.
bool exportTo(SoSeparator* root, const std::string& file, const std::string& out, const FltconvertOptions& options,
              std::vector<std::string>& missingTextures, std::string& error)
{
    // The texture paths' trees are indexed once for the whole run (workers
    // inherit the index made before they start, or make their own once).
    static const auto searchTrees = std::make_shared<TextureSearchTrees>(options.texturePaths);
    const std::filesystem::path path(file);
    const GltfExportOptions exportOptions{path.parent_path().string(), options.texturePaths,
                                          path.filename().string(), searchTrees};
    return exportGltf(root, out, exportOptions, missingTextures, error);
}

// A batch's glTF file appears whole or not at all: it is written under a
// name of its own, made here, and renamed when complete.
bool exportWhole(SoSeparator* root, const std::string& file, const std::string& out, const FltconvertOptions& options,
                 std::vector<std::string>& missingTextures, std::string& error)
{
    std::error_code folderError;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), folderError);
    const std::string partial = partialOutputPath(out, static_cast<long>(getpid()));
    if (!createArmedFile(partial)) {
        error = "cannot write " + out + ": " + std::strerror(errno);
        return false;
    }
    bool written = exportTo(root, file, partial, options, missingTextures, error);
    if (written && !renameAndDisarm(partial, out)) {
        error = "cannot write " + out + ": " + std::strerror(errno);
        written = false;
    }
    if (!written)
        std::remove(partial.c_str());
    return written;
}

// The highest warning level met, when it reaches `level` (0: none does).
int failedOn(const std::vector<FltWarningMessage>& warnings, int level)
{
    int highest = 0;
    for (const FltWarningMessage& warning : warnings)
        highest = std::max(highest, warning.level);
    return level && highest >= level ? highest : 0;
}

int64_t fileBytes(const std::string& path)
{
    struct stat status;
    return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) ? status.st_size : 0;
}

// The warnings repeated after the file, as text of the outcome.
std::string repeatedWarnings(const std::string& file, const std::vector<FltWarningMessage>& warnings, int level)
{
    std::ostringstream text;
    std::streambuf* errors = std::cerr.rdbuf(text.rdbuf());
    repeatWarnings(file, warnings, level);
    std::cerr.rdbuf(errors);
    return text.str();
}

// Where the transcript goes: the library names it after the input, in the planned folder.
void placeLog(const PlannedOutputs& planned, const FltconvertOptions& options)
{
    setFltLogWritten(!planned.log.empty());
    if (options.logDir.empty() || planned.log.empty())
        return;
    const std::filesystem::path folder = std::filesystem::path(planned.log).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    setFltLogFolder(folder.string());
}

} // namespace

void OutcomePrinter::print(InputOutcome& outcome) const
{
    for (const InputOutcome::Text& text : outcome.texts) {
        if (text.stream == InputOutcome::Stream::Output) {
            writeAtOnce(STDOUT_FILENO, text.text);
        } else if (text.stream == InputOutcome::Stream::Errors) {
            std::cerr << text.text << std::flush;
        } else if (sceneStream) {
            *sceneStream << text.text;
            sceneStream->flush();
        }
    }
    outcome.texts.clear();
}

InputOutcome convertInput(const BatchInput& input, const PlannedOutputs& planned, const FltconvertOptions& options,
                          bool batch, ProgressLine* progress, const OutcomePrinter* printer)
{
    // With machine-readable output on standard output, everything else goes to the error stream.
    const bool stdoutIsData = options.json || options.sceneOut == "-";
    FltWarningMessageConsole& console = FltWarningMessageConsole::instance();
    InputOutcome outcome;
    // Each file's warnings alone, for --json and --warnings; a long batch
    // does not keep them all either.
    console.clear();
    if (progress)
        progress->start();

    // What the conversion itself prints: lost when quiet.
    std::streambuf* standardOutput = std::cout.rdbuf();
    // A worker's share of the standard output waits for its turn with the rest of its outcome.
    std::ostringstream heldOutput;
    if (options.quiet)
        std::cout.rdbuf(nullptr);
    else if (stdoutIsData)
        std::cout.rdbuf(std::cerr.rdbuf());
    else if (!printer)
        std::cout.rdbuf(heldOutput.rdbuf());
    SoSeparator* root = nullptr;
    std::string reason = input.refusal;
    if (reason.empty()) {
        placeLog(planned, options);
        // Until its glTF file is written too, an interrupted input leaves no file.
        if (!planned.log.empty())
            armInterruptCleanup(planned.log);
        reason = readInput(input, root);
    }
    std::cout.rdbuf(standardOutput);
    std::cout.clear();
    if (!heldOutput.str().empty())
        outcome.print(InputOutcome::Stream::Output, heldOutput.str());
    if (progress)
        progress->clear();
    // The reader's root keeps a reference exactly when the records were walked.
    const bool converted = root && root->getRefCount() > 0;
    if (!converted && reason.empty())
        reason = "the conversion failed (see its warnings)";

    ConversionResult result;
    result.file = input.name;
    result.reason = reason;
    const auto exportFailed = [&outcome](const std::string& error) {
        outcome.print(InputOutcome::Stream::Errors, "fltconvert: " + error + "\n");
        outcome.status = 1;
    };
    std::string error;
    // Before the warnings are taken: the export's own count with them.
    if (converted && !planned.gltf.empty()) {
        result.exported = true;
        if (exportWhole(root, input.path, planned.gltf, options, result.missingTextures, error))
            result.gltfPath = planned.gltf;
        else
            exportFailed(error);
    }
    if (root && !options.gltfOut.empty()) {
        result.exported = true;
        if (!exportTo(root, input.path, options.gltfOut, options, result.missingTextures, error))
            exportFailed(error);
    }
    const std::string viewed = root ? planned.viewerModel : "";
    bool viewable = false;
    if (!viewed.empty()) {
        result.exported = true;
        viewable = exportTo(root, input.path, viewed, options, result.missingTextures, error);
        if (!viewable)
            exportFailed(error);
    }
    // The input's files are all written: an interrupt from now on leaves them.
    disarmInterruptCleanup();
    result.warnings = console.getWarnings();
    result.failedOn = failedOn(result.warnings, options.failOnLevel);
    if (options.warningsLevel)
        outcome.print(InputOutcome::Stream::Errors,
                      repeatedWarnings(input.name, result.warnings, options.warningsLevel));
    if (!converted || result.failedOn)
        outcome.status = 1;
    if (!converted)
        outcome.print(InputOutcome::Stream::Errors, "fltconvert: " + input.name + ": " + reason + "\n");
    else if (result.failedOn)
        outcome.print(InputOutcome::Stream::Errors, "fltconvert: " + input.name + ": failed on a warning of level " +
                                                        std::to_string(result.failedOn) + "\n");

    if (options.json)
        outcome.print(InputOutcome::Stream::Output, conversionJson(result, summarizeScene(root)) + "\n");
    else if (converted && !options.quiet)
        outcome.print(stdoutIsData ? InputOutcome::Stream::Errors : InputOutcome::Stream::Output,
                      humanSummary(result, summarizeScene(root)));
    if (!options.sceneOut.empty() && root)
        outcome.print(InputOutcome::Stream::Scene,
                      (batch ? "# " + input.name + "\n" : std::string()) + writeSceneToString(root));

    outcome.kind = !converted ? InputOutcome::Kind::Refused
                   : outcome.status ? InputOutcome::Kind::Failed
                                    : InputOutcome::Kind::Converted;
    for (const FltWarningMessage& warning : result.warnings)
        if (warning.level >= 1 && warning.level <= 3)
            ++outcome.warningsByLevel[warning.level - 1];
    outcome.outputBytes = fileBytes(result.gltfPath) + fileBytes(planned.log) +
                          (options.statistics && converted ? fileBytes(input.path + ".stat") : 0);
    if (printer)
        printer->print(outcome);
    if (viewable && !serveViewer(viewed))
        outcome.status = 1;
    releaseRoot(root);
    return outcome;
}
