#include "FltconvertOptions.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const fltconvertUsage = "usage: fltconvert [-h] [--version] [-q] [--json] [--scene OUT] [--stat] "
                                    "[--warnings LEVEL] [--fail-on LEVEL] [--plugin PATH] "
                                    "[--gltf OUT.glb|OUT.gltf | --gltf-dir DIR | --view | --info | --flt OUT.flt] "
                                    "[--texture-path DIR]... [--texture-format png|rgb] FILE...";

const char* const fltconvertHelp = R"text(
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
      --fail-on LEVEL     count an input with a warning of LEVEL or up as failed
      --plugin PATH       load the reader plug-in from PATH
      --gltf OUT          export the one input as glTF: OUT.glb or OUT.gltf
      --gltf-dir DIR      export each input as DIR/NAME.glb
      --view              show the one input in a browser, until interrupted
      --info              report on each input (revision, units, counts, levels
                          of detail, switches, textures, references); writes
                          no file, converts nothing
      --texture-path DIR  look for textures not found beside the input in DIR
                          too (repeatable; for --gltf, --gltf-dir, --view and
                          --info)
      --flt OUT.flt       write the one input, a glTF model (.glb, or .gltf with
                          its files) or an OpenFlight database, as the
                          OpenFlight database OUT.flt; a model's textures go
                          beside it as OUT_NAME.png with OUT_NAME.png.attr
      --texture-format F  with --flt: png (the default) or rgb (SGI images)
      --                  every argument after this is a file name

Warning levels: 1 tolerated irregularity, 2 ignored structural one, 3 error.
On a terminal, a conversion taking over a second shows its progress (after
FLTCONVERT_PROGRESS_DELAY seconds, when that is set).

Exit status: 0 every input converted; 1 an input was refused or not converted
(or, with --fail-on, had a warning of that level); 2 a usage error or a plug-in
that cannot be loaded.

Examples:
  fltconvert town.flt
  fltconvert --fail-on 3 --gltf-dir out/ models/*.flt
  fltconvert --info --json town.flt
  find models -name '*.flt' -print0 | xargs -0 -P "$(nproc)" fltconvert --json
)text";

namespace {

// An option with a value: what the value must be, where it goes, and every
// value given. More than one is an error, but for an option that collects
// its values (`targets`).
struct ValueOption {
    const char* name;
    const char* what;
    bool dashMeansStdout;
    std::string* target;
    std::vector<std::string>* targets;
    std::vector<std::string> values;
};

// CLI11 reads some argument shapes more generously than the tool's usage
// rules allow: combined short options, an option's empty attached value
// (it would take the next argument instead), a value attached to a flag.
std::string shapeError(const CLI::App& app, const std::vector<ValueOption>& valueOptions, int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--")
            return "";
        if (argument.size() > 2 && argument[0] == '-' && argument[1] != '-')
            return "unknown option " + argument;
        const std::string::size_type equals = argument.find('=');
        if (argument.compare(0, 2, "--") != 0 || equals == std::string::npos)
            continue;
        const std::string name = argument.substr(0, equals);
        const CLI::Option* option = app.get_option_no_throw(name);
        if (!option)
            return "unknown option " + argument;
        if (option->get_expected_max() == 0)
            return name + " takes no value";
        for (const ValueOption& valueOption : valueOptions)
            if (name == valueOption.name && equals + 1 == argument.size())
                return name + " needs " + valueOption.what + ", not an empty one";
    }
    return "";
}

// Takes the option's good values.
std::string takeValues(const ValueOption& option)
{
    const std::string name = option.name;
    if (option.values.size() > 1 && !option.targets)
        return name + " is given twice";
    for (const std::string& given : option.values) {
        if (given.empty())
            return name + " needs " + option.what + ", not an empty one";
        if (given[0] == '-' && !(option.dashMeansStdout && given == "-"))
            return name + " needs " + option.what + ", not " + given;
        if (option.targets)
            option.targets->push_back(given);
        else
            *option.target = given;
    }
    return "";
}

// CLI11 names the option it stopped at first in its message.
std::string parseFailure(const CLI::ParseError& failure, const std::vector<ValueOption>& valueOptions)
{
    const std::string message = failure.what();
    const std::string name = message.substr(0, message.find(':'));
    for (const ValueOption& option : valueOptions)
        if (name == option.name)
            return name + " needs " + option.what;
    return message;
}

// A warning level, when one was given.
std::string readLevel(const std::string& name, const std::string& text, int& level)
{
    if (text.empty())
        return "";
    if (text.size() != 1 || text[0] < '1' || text[0] > '3')
        return name + " needs a level: 1, 2 or 3, not " + text;
    level = text[0] - '0';
    return "";
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// --info reads and reports; it neither converts nor writes a file.
std::string infoError(const FltconvertOptions& options)
{
    const char* excluded = options.quiet                ? "--quiet"
                           : !options.sceneOut.empty()  ? "--scene"
                           : options.statistics         ? "--stat"
                           : options.warningsLevel      ? "--warnings"
                           : options.failOnLevel        ? "--fail-on"
                           : !options.gltfOut.empty()   ? "--gltf"
                           : !options.gltfDir.empty()   ? "--gltf-dir"
                           : options.view               ? "--view"
                                                        : nullptr;
    return excluded ? std::string("--info converts nothing and writes no file: leave out ") + excluded : "";
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

// --flt writes one database; it converts nothing and exports nothing.
std::string fltError(const FltconvertOptions& options)
{
    const char* excluded = !options.sceneOut.empty()  ? "--scene"
                           : options.statistics        ? "--stat"
                           : options.json              ? "--json"
                           : !options.gltfOut.empty()  ? "--gltf"
                           : !options.gltfDir.empty()  ? "--gltf-dir"
                           : options.view              ? "--view"
                           : options.info              ? "--info"
                                                       : nullptr;
    if (excluded)
        return std::string("--flt writes a database and nothing else: leave out ") + excluded;
    if (options.files.size() != 1)
        return "--flt takes exactly one input file";
    return "";
}

// Cross-option rules, once every option was read.
std::string combinationError(const FltconvertOptions& options)
{
    if (options.files.empty())
        return "no input file";
    if (!options.textureFormat.empty() && options.fltOut.empty())
        return "--texture-format is for the textures --flt writes: give --flt or leave it out";
    if (!options.textureFormat.empty() && options.textureFormat != "png" && options.textureFormat != "rgb")
        return "--texture-format needs a format: png or rgb, not " + options.textureFormat;
    for (const std::string& file : options.files) {
        if (file.empty())
            return "an empty file name names no file";
        if (file == "-")
            return "standard input cannot be converted (the transcript goes beside the file): name a file";
    }
    if (!options.fltOut.empty())
        return fltError(options);
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
    if (!options.gltfDir.empty() && (options.view || !options.gltfOut.empty()))
        return std::string("--gltf-dir exports every input: leave out ") + (options.view ? "--view" : "--gltf");
    if (!options.gltfOut.empty() && !endsWith(options.gltfOut, ".glb") && !endsWith(options.gltfOut, ".gltf"))
        return "--gltf needs a file name ending in .glb or .gltf, not " + options.gltfOut;
    return options.info ? infoError(options) : "";
}

} // namespace

std::string parseFltconvertOptions(int argc, char** argv, FltconvertOptions& options)
{
    CLI::App app("fltconvert");
    // Help, unknown options and every message are the tool's own.
    app.set_help_flag();
    app.allow_extras();
    const auto flag = [&app](const char* names, bool& value) {
        app.add_flag(names, value)->disable_flag_override();
    };
    flag("-h,--help", options.help);
    flag("--version", options.version);
    flag("-q,--quiet", options.quiet);
    flag("--json", options.json);
    flag("--stat", options.statistics);
    flag("--extended", options.extended);
    flag("--view", options.view);
    flag("--info", options.info);

    std::string warningsLevel;
    std::string failOnLevel;
    std::vector<ValueOption> valueOptions = {
        {"--scene", "a file name (or - for standard output)", true, &options.sceneOut, nullptr, {}},
        {"--plugin", "the plug-in's file name", false, &options.pluginPath, nullptr, {}},
        {"--gltf", "a file name (.glb or .gltf)", false, &options.gltfOut, nullptr, {}},
        {"--warnings", "a level: 1, 2 or 3", false, &warningsLevel, nullptr, {}},
        {"--fail-on", "a level: 1, 2 or 3", false, &failOnLevel, nullptr, {}},
        {"--gltf-dir", "a folder", false, &options.gltfDir, nullptr, {}},
        {"--texture-path", "a folder", false, nullptr, &options.texturePaths, {}},
        {"--flt", "a file name (.flt)", false, &options.fltOut, nullptr, {}},
        {"--texture-format", "a format: png or rgb", false, &options.textureFormat, nullptr, {}},
    };
    for (ValueOption& option : valueOptions)
        app.add_option(option.name, option.values)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->expected(1)->allow_extra_args(false);
    app.add_option("files", options.files);

    std::string error = shapeError(app, valueOptions, argc, argv);
    if (!error.empty())
        return error;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& failure) {
        return parseFailure(failure, valueOptions);
    }
    if (options.help || options.version)
        return "";
    for (const std::string& extra : app.remaining())
        if (extra != "--")
            return "unknown option " + extra;
    for (const ValueOption& option : valueOptions) {
        error = takeValues(option);
        if (!error.empty())
            return error;
    }

    error = readLevel("--warnings", warningsLevel, options.warningsLevel);
    if (error.empty())
        error = readLevel("--fail-on", failOnLevel, options.failOnLevel);
    if (!error.empty())
        return error;
    error = combinationError(options);
    return error.empty() ? readProgressDelay(options.progressDelay) : error;
}
