// fltconvert [OPTION]... FILE...
//
// Converts each OpenFlight file through the reader plug-in (its transcript
// goes to FILE.log, warnings to the error stream) and summarises the scene
// it gives, or says why it was refused. --gltf exports the scene of the one
// file given; --view exports it and shows it in a browser. --help lists
// every option.

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FltDumpWriter.h"
#include "FltExtendedRecords.h"
#include "FltHeaderCheck.h"
#include "FltStatisticsRequest.h"
#include "FltWarningMessageConsole.h"
#include "GltfExport.h"
#include "GltfViewerServer.h"
#include "ProgressLine.h"
#include "SceneSummary.h"
#include "Veldra.h"

namespace {

const char* const usage = "usage: fltconvert [-h] [--version] [-q] [--json] [--scene OUT] [--stat] "
                          "[--warnings LEVEL] [--plugin PATH] [--gltf OUT.glb|OUT.gltf | --view] "
                          "[--texture-path DIR]... FILE...";

const char* const help = R"text(
Converts OpenFlight databases (.flt) one after the other into scenes, through
the reader plug-in. Beside each input it writes FILE.log, a transcript of every
record; warnings go to the error stream; a short summary of each scene follows.

  -h, --help              print this help and exit
      --version           print the version and exit
  -q, --quiet             print only errors: level-3 warnings and refusals
      --json              print one JSON object per input, not the summary
      --scene OUT         write each input's scene text to OUT, - for stdout
      --stat              also write FILE.stat: the input's records by opcode
      --extended          also read meshes (records 84, 85 and 86)
      --warnings LEVEL    after each input, repeat its warnings of LEVEL and up
      --plugin PATH       load the reader plug-in from PATH
      --gltf OUT          export the one input as glTF: OUT.glb or OUT.gltf
      --view              show the one input in a browser, until interrupted
      --texture-path DIR  look for textures not found beside the input in DIR
                          too (repeatable; for --gltf and --view)
      --                  every argument after this is a file name

Warning levels: 1 tolerated irregularity, 2 ignored structural one, 3 error.
On a terminal, a conversion taking over a second shows its progress (after
FLTCONVERT_PROGRESS_DELAY seconds, when that is set).

Exit status: 0 every input converted; 1 an input was refused or not converted;
2 a usage error or a plug-in that cannot be loaded.

Examples:
  fltconvert town.flt
  find models -name '*.flt' -print0 | xargs -0 -P "$(nproc)" fltconvert --json
)text";

struct Options {
    bool help = false;
    bool version = false;
    bool quiet = false;
    bool json = false;
    bool statistics = false;
    bool extended = false;
    int warningsLevel = 0; // 0: warnings are not repeated
    std::string sceneOut;   // empty: no scene; "-": standard output
    std::string pluginPath; // empty: the plug-in that came with the program
    std::string gltfOut;    // empty: no glTF export
    bool view = false;
    std::vector<std::string> texturePaths; // where --gltf and --view look for textures, after the input's folder
    double progressDelay = 1; // seconds
    std::vector<std::string> files;
};

// Reads the value of option `name`: the rest of "--name=value", or else the
// next argument. "-" stands for standard output where `dashMeansStdout`.
// Returns an error message, or an empty string.
std::string optionValue(const std::string& name, const char* attached, int argc, char** argv, int& i,
                        const char* what, bool dashMeansStdout, std::string& value)
{
    if (!value.empty())
        return name + " is given twice";
    std::string given;
    if (attached) {
        given = attached;
    } else {
        if (i + 1 >= argc)
            return name + " needs " + what;
        given = argv[++i];
    }
    if (given.empty())
        return name + " needs " + what + ", not an empty one";
    if (given[0] == '-' && !(dashMeansStdout && given == "-"))
        return name + " needs " + what + ", not " + given;
    value = given;
    return "";
}

// The environment's progress delay, when it sets one.
std::string readProgressDelay(double& delay)
{
    const char* text = std::getenv("FLTCONVERT_PROGRESS_DELAY");
    if (!text)
        return "";
    char* end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (!*text || *end || !std::isfinite(seconds) || seconds < 0)
        return std::string("FLTCONVERT_PROGRESS_DELAY must be a number of seconds, not \"") + text + "\"";
    delay = seconds;
    return "";
}

// Returns an error message, or an empty string when the arguments are good.
std::string parseArguments(int argc, char** argv, Options& options)
{
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (onlyFiles || argument.empty() || argument[0] != '-') {
            options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        if (argument == "-")
            return "standard input cannot be converted (the transcript goes beside the file): name a file";
        const std::string::size_type equals = argument.find('=');
        const bool attached = argument.compare(0, 2, "--") == 0 && equals != std::string::npos;
        const std::string name = attached ? argument.substr(0, equals) : argument;
        const char* value = attached ? argv[i] + equals + 1 : nullptr;
        const bool takesValue = name == "--scene" || name == "--plugin" || name == "--gltf" ||
                                name == "--warnings" || name == "--texture-path";
        if (attached && !takesValue)
            return name + " takes no value";

        std::string error;
        if (name == "-h" || name == "--help") {
            options.help = true;
            return "";
        } else if (name == "--version") {
            options.version = true;
            return "";
        } else if (name == "-q" || name == "--quiet") {
            options.quiet = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--stat") {
            options.statistics = true;
        } else if (name == "--extended") {
            options.extended = true;
        } else if (name == "--view") {
            options.view = true;
        } else if (name == "--scene") {
            error = optionValue(name, value, argc, argv, i, "a file name (or - for standard output)", true,
                                options.sceneOut);
        } else if (name == "--plugin") {
            error = optionValue(name, value, argc, argv, i, "the plug-in's file name", false,
                                options.pluginPath);
        } else if (name == "--gltf") {
            error = optionValue(name, value, argc, argv, i, "a file name (.glb or .gltf)", false,
                                options.gltfOut);
        } else if (name == "--texture-path") {
            std::string dir;
            error = optionValue(name, value, argc, argv, i, "a folder", false, dir);
            options.texturePaths.push_back(dir);
        } else if (name == "--warnings") {
            std::string level;
            if (options.warningsLevel != 0)
                return "--warnings is given twice";
            error = optionValue(name, value, argc, argv, i, "a level: 1, 2 or 3", false, level);
            if (error.empty() && (level.size() != 1 || level[0] < '1' || level[0] > '3'))
                return "--warnings needs a level: 1, 2 or 3, not " + level;
            if (error.empty())
                options.warningsLevel = level[0] - '0';
        } else {
            return "unknown option " + argument;
        }
        if (!error.empty())
            return error;
    }
    if (options.files.empty())
        return "no input file";
    for (const std::string& file : options.files)
        if (file.empty())
            return "an empty file name names no file";
    if (options.json && options.sceneOut == "-")
        return "--json and --scene - cannot both use standard output";
    if (options.quiet && options.json)
        return "--quiet prints nothing on standard output: leave out --json or --quiet";
    if (options.quiet && options.sceneOut == "-")
        return "--quiet prints nothing on standard output: leave out --scene - or --quiet";
    if (options.quiet && options.view)
        return "--quiet would hide the viewer's address: leave out --view or --quiet";
    if ((options.view || !options.gltfOut.empty()) && options.files.size() != 1)
        return "--gltf and --view take exactly one input file";
    if (options.view && !options.gltfOut.empty())
        return "--view writes its own glTF file: leave out --gltf";
    return readProgressDelay(options.progressDelay);
}

std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                quoted += "\\u00";
                quoted += hex[c >> 4];
                quoted += hex[c & 0xF];
            } else {
                quoted += static_cast<char>(c);
            }
        }
    }
    return quoted + "\"";
}

std::string jsonNumber(float value)
{
    // JSON has no NaN or infinity; finite values keep every digit they have.
    if (value != value || value > 3.4e38f || value < -3.4e38f)
        return "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string jsonPoint(const SbVec3f& point)
{
    return "[" + jsonNumber(point[0]) + ", " + jsonNumber(point[1]) + ", " + jsonNumber(point[2]) + "]";
}

// `reason` is empty for a converted input.
// missingTextures is null when nothing was exported.
std::string jsonLine(const std::string& file, const std::string& reason,
                     const std::vector<FltWarningMessage>& warnings, const SceneSummary& summary,
                     const std::vector<std::string>* missingTextures)
{
    std::ostringstream line;
    line << "{\"file\": " << jsonString(file) << ", \"converted\": " << (reason.empty() ? "true" : "false");
    if (!reason.empty())
        line << ", \"reason\": " << jsonString(reason);
    line << ", \"warnings\": [";
    for (std::size_t i = 0; i < warnings.size(); ++i)
        line << (i ? ", " : "") << "{\"level\": " << warnings[i].level
             << ", \"text\": " << jsonString(warnings[i].text) << "}";
    line << "], \"nodes\": {";
    bool first = true;
    for (const auto& entry : summary.nodesByType) {
        line << (first ? "" : ", ") << jsonString(entry.first) << ": " << entry.second;
        first = false;
    }
    line << "}, \"faces\": " << summary.faces << ", \"vertices\": " << summary.vertices
         << ", \"bbox\": ";
    if (summary.boundingBox.isEmpty())
        line << "null";
    else
        line << "[" << jsonPoint(summary.boundingBox.getMin()) << ", "
             << jsonPoint(summary.boundingBox.getMax()) << "]";
    if (missingTextures) {
        line << ", \"missing_textures\": [";
        for (std::size_t i = 0; i < missingTextures->size(); ++i)
            line << (i ? ", " : "") << jsonString((*missingTextures)[i]);
        line << "]";
    }
    if (reason.empty() && getFltExtendedRecordsMissed() > 0)
        line << ", \"extended_records\": " << getFltExtendedRecordsMissed();
    line << "}";
    return line.str();
}

std::string textPoint(const SbVec3f& point)
{
    return "(" + formatFltReal(point[0]) + " " + formatFltReal(point[1]) + " " +
           formatFltReal(point[2]) + ")";
}

std::string humanSummary(const std::string& file, const SceneSummary& summary,
                         const std::vector<std::string>& missingTextures)
{
    std::ostringstream text;
    text << file << ": converted\n";
    text << "  nodes:";
    for (const auto& entry : summary.nodesByType)
        text << " " << entry.first << " " << entry.second;
    text << "\n  faces: " << summary.faces << "  vertices: " << summary.vertices << "\n";
    text << "  bounding box: ";
    if (summary.boundingBox.isEmpty()) {
        text << "empty\n";
    } else {
        text << textPoint(summary.boundingBox.getMin()) << " to "
             << textPoint(summary.boundingBox.getMax()) << "\n";
    }
    if (!missingTextures.empty()) {
        text << "  missing textures:";
        for (const std::string& name : missingTextures)
            text << " " << name;
        text << "\n";
    }
    if (getFltExtendedRecordsMissed() > 0)
        text << "  extended records: " << getFltExtendedRecordsMissed() << " not read (--extended reads them)\n";
    return text.str();
}

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

// Writes a line or a summary with one system call: processes converting
// side by side (xargs -P) share their output streams, and the lines of one
// must not land inside those of another.
void writeAtOnce(int fd, const std::string& text)
{
    std::cout.flush();
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return;
        done += static_cast<std::size_t>(wrote);
    }
}

// After the file's warnings went by, those of `level` and up once more.
void repeatWarnings(const std::string& file, const std::vector<FltWarningMessage>& warnings, int level)
{
    std::size_t count = 0;
    for (const FltWarningMessage& warning : warnings)
        count += warning.level >= level;
    if (count == 0)
        return;
    std::cerr << "fltconvert: " + file + ": " + std::to_string(count) + (count == 1 ? " warning" : " warnings") +
                     " of level " + std::to_string(level) + " or above:\n";
    printWarnings(level);
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

// Textures are named relative to the database that uses them.
bool exportForGltf(SoSeparator* root, const std::string& file, const std::string& out,
                   const Options& options, std::vector<std::string>& missingTextures)
{
    const GltfExportOptions exportOptions{std::filesystem::path(file).parent_path().string(),
                                          options.texturePaths};
    std::string error;
    if (!exportGltf(root, out, exportOptions, missingTextures, error)) {
        std::cerr << "fltconvert: " << error << std::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    const std::string error = parseArguments(argc, argv, options);
    if (!error.empty()) {
        std::cerr << "fltconvert: " << error << "\n" << usage << std::endl;
        return 2;
    }

    if (options.help) {
        std::cout << usage << "\n" << help;
        return 0;
    }
    if (options.version) {
        std::cout << "fltconvert (libFLT) " FLT_VERSION "\n";
        return 0;
    }

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

        const std::vector<FltWarningMessage> warnings = console.getWarnings();
        if (options.warningsLevel)
            repeatWarnings(file, warnings, options.warningsLevel);
        if (!converted) {
            status = 1;
            std::cerr << "fltconvert: " + file + ": " + reason + "\n" << std::flush;
        }

        // Exported before the summary, which lists the textures it missed.
        const bool exporting = root && (options.view || !options.gltfOut.empty());
        const std::string gltfOut = !exporting ? "" : options.view ? viewerModelPath() : options.gltfOut;
        std::vector<std::string> missingTextures;
        const bool exported = exporting && exportForGltf(root, file, gltfOut, options, missingTextures);
        if (exporting && !exported)
            status = 1;

        if (options.json)
            writeAtOnce(STDOUT_FILENO, jsonLine(file, reason, warnings, summarizeScene(root),
                                                exporting ? &missingTextures : nullptr) + "\n");
        else if (converted && !options.quiet)
            writeAtOnce(stdoutIsData ? STDERR_FILENO : STDOUT_FILENO,
                        humanSummary(file, summarizeScene(root), missingTextures));
        if (sceneStream && root) {
            if (options.files.size() > 1)
                *sceneStream << "# " << file << "\n";
            writeScene(*sceneStream, root);
            sceneStream->flush();
        }
        if (exported && options.view && !serveViewer(gltfOut))
            status = 1;
        releaseRoot(root);
    }
    return status;
}
