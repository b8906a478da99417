// fltconvert [--json] [--scene OUT] [--stat] [--plugin PATH] [--gltf OUT.glb|OUT.gltf | --view] FILE...
//
// Converts each OpenFlight file through the reader plug-in (its transcript
// goes to FILE.log, warnings to the error stream) and summarises the scene
// it gives. --gltf exports the scene of the one file given; --view exports
// it and shows it in a browser.

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FltDumpWriter.h"
#include "FltStatisticsRequest.h"
#include "FltWarningMessageConsole.h"
#include "GltfExport.h"
#include "GltfViewerServer.h"
#include "SceneSummary.h"
#include "Veldra.h"

namespace {

const char* const usage = "usage: fltconvert [--json] [--scene OUT] [--stat] [--plugin PATH] "
                          "[--gltf OUT.glb|OUT.gltf | --view] FILE...";

struct Options {
    bool json = false;
    bool statistics = false;
    std::string sceneOut; // empty: no scene; "-": standard output
    std::string pluginPath; // empty: the plug-in that came with the program
    std::string gltfOut;    // empty: no glTF export
    bool view = false;
    std::vector<std::string> files;
};

// Returns an error message, or an empty string when the arguments are good.
std::string parseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--scene") {
            if (i + 1 >= argc)
                return "--scene needs a file name (or - for standard output)";
            options.sceneOut = argv[++i];
        } else if (argument == "--stat") {
            options.statistics = true;
        } else if (argument == "--plugin") {
            if (i + 1 >= argc)
                return "--plugin needs the plug-in's file name";
            options.pluginPath = argv[++i];
        } else if (argument == "--gltf") {
            if (i + 1 >= argc)
                return "--gltf needs a file name (.glb or .gltf)";
            options.gltfOut = argv[++i];
        } else if (argument == "--view") {
            options.view = true;
        } else if (argument == "--") {
            for (++i; i < argc; ++i)
                options.files.push_back(argv[i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option " + argument;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.files.empty())
        return "no input file";
    if (options.json && options.sceneOut == "-")
        return "--json and --scene - cannot both use standard output";
    if ((options.view || !options.gltfOut.empty()) && options.files.size() != 1)
        return "--gltf and --view take exactly one input file";
    if (options.view && !options.gltfOut.empty())
        return "--view writes its own glTF file: leave out --gltf";
    return "";
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

std::string jsonLine(const std::string& file, bool converted,
                     const std::vector<FltWarningMessage>& warnings, const SceneSummary& summary)
{
    std::ostringstream line;
    line << "{\"file\": " << jsonString(file) << ", \"converted\": " << (converted ? "true" : "false")
         << ", \"warnings\": [";
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
    line << "}";
    return line.str();
}

std::string textPoint(const SbVec3f& point)
{
    return "(" + formatFltReal(point[0]) + " " + formatFltReal(point[1]) + " " +
           formatFltReal(point[2]) + ")";
}

std::string humanSummary(const std::string& file, bool converted, const SceneSummary& summary)
{
    std::ostringstream text;
    text << file << ": " << (converted ? "converted" : "refused") << "\n";
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

// Why the input could not be read, or an empty string when a reader took it.
std::string readInput(const std::string& file, SoSeparator*& root)
{
    root = nullptr;
    if (file.empty())
        return "an empty name names no file";
    SoInput input;
    if (!input.openFile(file.c_str()))
        return "cannot open " + file + ": " + std::strerror(errno);
    if (!SoInputReader::read(&input, root))
        return "no reader accepts " + file;
    return "";
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
bool exportAndView(SoSeparator* root, const std::string& file, const Options& options)
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

int main(int argc, char** argv)
{
    Options options;
    const std::string error = parseArguments(argc, argv, options);
    if (!error.empty()) {
        std::cerr << "fltconvert: " << error << "\n" << usage << std::endl;
        return 2;
    }

    // With machine-readable output on standard output, everything else goes to the error stream.
    const bool stdoutIsData = options.json || options.sceneOut == "-";
    std::ostream& report = stdoutIsData && !options.json ? std::cerr : std::cout;

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

    int status = 0;
    for (const std::string& file : options.files) {
        const std::size_t warningsBefore =
            FltWarningMessageConsole::instance().getWarnings().size();

        std::streambuf* standardOutput = std::cout.rdbuf();
        if (stdoutIsData)
            std::cout.rdbuf(std::cerr.rdbuf());
        SoSeparator* root = nullptr;
        const std::string refusal = readInput(file, root);
        std::cout.rdbuf(standardOutput);
        // The reader's root keeps a reference exactly when the records were walked.
        const bool converted = root && root->getRefCount() > 0;

        const std::vector<FltWarningMessage>& all = FltWarningMessageConsole::instance().getWarnings();
        const std::vector<FltWarningMessage> warnings(all.begin() + static_cast<long>(warningsBefore),
                                                      all.end());
        const SceneSummary summary = summarizeScene(root);
        if (!converted)
            status = 1;
        if (!refusal.empty())
            std::cerr << "fltconvert: " << refusal << std::endl;

        if (options.json)
            std::cout << jsonLine(file, converted, warnings, summary) << std::endl;
        else if (refusal.empty())
            report << humanSummary(file, converted, summary) << std::flush;
        if (sceneStream && root) {
            if (options.files.size() > 1)
                *sceneStream << "# " << file << "\n";
            writeScene(*sceneStream, root);
            sceneStream->flush();
        }
        if (root && (options.view || !options.gltfOut.empty())
            && !exportAndView(root, file, options))
            status = 1;
        releaseRoot(root);
    }
    return status;
}
