#include "ConversionRun.h"

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "BatchProgress.h"
#include "BatchSummary.h"
#include "ConversionOutput.h"
#include "FltExtendedRecords.h"
#include "FltStatisticsRequest.h"
#include "GltfViewerServer.h"
#include "InputConversion.h"
#include "InterruptCleanup.h"
#include "OutputTree.h"
#include "PrivateFolder.h"
#include "ProgressLine.h"
#include "Veldra.h"
#include "WorkerPool.h"

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

bool makeFolder(const std::string& folder)
{
    if (folder.empty())
        return true;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder))
        return true;
    std::cerr << "fltconvert: cannot create the folder " << folder << (error ? ": " + error.message() : std::string())
              << std::endl;
    return false;
}

// A worker that died left its input's glTF file under the name it was
// being written to; that name is made from the worker's process id.
// Its input still has its line, as one refused does.
InputOutcome workerDeath(const BatchInput& input, const PlannedOutputs& planned, pid_t worker,
                         const std::string& death, const FltconvertOptions& options)
{
    if (!planned.gltf.empty() && worker > 0)
        std::remove(partialOutputPath(planned.gltf, static_cast<long>(worker)).c_str());
    InputOutcome outcome;
    outcome.kind = InputOutcome::Kind::Failed;
    outcome.status = 1;
    outcome.print(InputOutcome::Stream::Errors, "fltconvert: " + input.name + ": " + death + "\n");
    if (options.json) {
        ConversionResult result;
        result.file = input.name;
        result.reason = death;
        outcome.print(InputOutcome::Stream::Output, conversionJson(result, summarizeScene(nullptr)) + "\n");
    }
    return outcome;
}

} // namespace

int convertInputs(const FltconvertOptions& options)
{
    const InputTree tree = expandInputs(options.files);
    int status = 0;
    for (const std::string& problem : tree.problems) {
        std::cerr << "fltconvert: " << problem << std::endl;
        status = 1;
    }
    if (tree.inputs.empty())
        return 1;
    if ((options.view || !options.gltfOut.empty()) && tree.inputs.size() != 1) {
        std::cerr << "fltconvert: --gltf and --view take exactly one input file, not " << tree.inputs.size()
                  << std::endl;
        return 2;
    }
    std::vector<PlannedOutputs> planned;
    const std::string clash = planOutputs(tree.inputs, options, planned);
    if (!clash.empty()) {
        std::cerr << "fltconvert: " << clash << ": nothing converted" << std::endl;
        return 2;
    }

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
    if (!makeFolder(options.gltfDir) || !makeFolder(options.logDir))
        return 2;

    // --view's model goes into a folder of its own, made before anything
    // else is written and removed with all it holds when the run ends.
    std::unique_ptr<PrivateFolder> viewerFolder;
    if (options.view) {
        const std::string problem = viewerProblem();
        if (!problem.empty()) {
            std::cerr << "fltconvert: " << problem << std::endl;
            return 2;
        }
        viewerFolder = std::make_unique<PrivateFolder>("fltview-");
        if (!viewerFolder->made()) {
            std::cerr << "fltconvert: --view " << viewerFolder->problem() << std::endl;
            return 1;
        }
        planned.front().viewerModel = viewerFolder->path() + "/model.glb";
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
    if (options.quiet)
        FltWarningMessageConsole::instance().setEchoLevel(3);

    const std::size_t count = tree.inputs.size();
    const bool batch = count > 1;
    const bool onTerminal = !options.json && !options.quiet && isatty(STDERR_FILENO);
    const int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const OutcomePrinter printer(sceneStream);
    BatchSummary summary;
    const auto finish = [&](InputOutcome& outcome) {
        status = std::max(status, outcome.status);
        summary.add(outcome);
        printer.print(outcome);
    };

    // A batch on a terminal counts its inputs done between them.
    std::unique_ptr<BatchProgress> batchProgress;
    if (onTerminal && batch)
        batchProgress = std::make_unique<BatchProgress>(count);
    if (jobs > 1 && batch) {
        BatchProgress* const progress = batchProgress.get();
        std::size_t done = 0;
        if (progress)
            progress->show(done);
        const auto work = [&](std::size_t item) {
            return encodeOutcome(convertInput(tree.inputs[item], planned[item], options, batch, nullptr, nullptr));
        };
        const auto deliver = [&](std::size_t item, const std::string* result, pid_t worker, const std::string& death) {
            InputOutcome outcome;
            if (!result || !decodeOutcome(*result, outcome))
                outcome = workerDeath(tree.inputs[item], planned[item], worker,
                                      result ? "the worker's report was damaged" : death, options);
            if (progress)
                progress->clear();
            finish(outcome);
            done = item + 1;
            if (progress)
                progress->show(done);
        };
        // The workers' warnings pass the progress line rather than run on after it.
        const auto errors = [&](const std::string& lines) {
            progress->clear();
            writeAtOnce(STDERR_FILENO, lines);
            progress->show(done);
        };
        const int stoppedBy =
            WorkerPool::run(count, jobs, work, deliver, progress ? WorkerPool::Errors(errors) : nullptr);
        if (progress)
            progress->clear();
        if (stoppedBy) {
            std::signal(stoppedBy, SIG_DFL);
            std::raise(stoppedBy);
        }
    } else {
        installInterruptCleanup();
        std::unique_ptr<ProgressLine> progress;
        if (onTerminal)
            progress = std::make_unique<ProgressLine>(std::chrono::duration<double>(options.progressDelay));
        for (std::size_t i = 0; i < count; ++i) {
            // The conversion's warnings and its own progress line take the line meanwhile.
            if (batchProgress)
                batchProgress->clear();
            InputOutcome outcome = convertInput(tree.inputs[i], planned[i], options, batch, progress.get(), &printer);
            finish(outcome);
            if (batchProgress)
                batchProgress->show(i + 1);
        }
        if (batchProgress)
            batchProgress->clear();
    }

    if (batch && !options.quiet) {
        if (options.json)
            writeAtOnce(STDOUT_FILENO, summary.json());
        else
            writeAtOnce(options.sceneOut == "-" ? STDERR_FILENO : STDOUT_FILENO, summary.text());
    }
    return status;
}
