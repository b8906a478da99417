#include "FltconvertOptions.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

const char* const fltconvertUsage = "usage: fltconvert [-h] [--version] [-q] [--json] [--scene OUT] [--stat] "
                                    "[--records base|extended] [--extended] "
                                    "[--warnings LEVEL] [--fail-on LEVEL] [--plugin PATH] "
                                    "[--gltf OUT.glb|OUT.gltf | --gltf-dir DIR | --view | --info | --flt OUT.flt] "
                                    "[--texture-path DIR]... [--texture-format png|rgb] [-j N] [--log-dir DIR | --no-log] "
                                    "FILE|DIR|ZIP...";

const char* const fltconvertHelp = R"text(
Converts OpenFlight databases (.flt) one after the other into scenes, through
the reader plug-in. Beside each input it writes FILE.log, a transcript of every
record; warnings go to the error stream; a short summary of each scene follows,
and a summary of the whole batch when there is more than one input. A folder
stands for every .flt below it, a .zip for every .flt inside it (converted as
if it sat beside the zip, and named ZIP/MEMBER).

  -h, --help              print this help and exit
      --version           print the version and exit
  -q, --quiet             print only errors: level-3 warnings and refusals
      --json              print one JSON object per input, not the summary
      --scene OUT         write each input's scene text to OUT, - for stdout
      --stat              also write FILE.stat: the input's records by opcode
      --records SET       read the base record set or the extended one, which
                          adds meshes (records 84, 85 and 86); exports and
                          --info read the extended set by default, the rest
                          the base set
      --extended          the same as --records extended
      --warnings LEVEL    after each input, repeat its warnings of LEVEL and up
      --fail-on LEVEL     count an input with a warning of LEVEL or up as failed
      --plugin PATH       load the reader plug-in from PATH
      --gltf OUT          export the one input as glTF: OUT.glb or OUT.gltf
      --gltf-dir DIR      export each input as DIR/NAME.glb; inputs found in a
                          folder keep their place below it (DIR/a/b/NAME.glb)
      --view              show the one input in a browser, until interrupted
      --info              report on each input (revision, units, counts, levels
                          of detail, switches, textures, references); writes
                          no file, converts nothing
      --texture-path DIR  look for textures not found beside the input in DIR
                          and every folder below it too (repeatable; for
                          --gltf, --gltf-dir, --view and --info)
  -j, --jobs N            convert in N worker processes (0: one per core; at
                          most 256); output still comes in input order
      --log-dir DIR       write each transcript below DIR instead of beside
                          its input (mirroring the folders, as --gltf-dir does)
      --no-log            write no transcript at all
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
(or, with --fail-on, had a warning of that level; or a folder held none); 2 a
usage error, a plug-in that cannot be loaded, or two inputs that would write
one file.

Examples:
  fltconvert town.flt
  fltconvert --fail-on 3 --gltf-dir out/ models/*.flt
  fltconvert --info --json town.flt
  fltconvert -j 0 --no-log --gltf-dir out/ cdb/
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
    const char* shortName = nullptr;
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
        const bool jobsAttached = argument.compare(0, 2, "-j") == 0; // -j4, as make takes it
        if (argument.size() > 2 && argument[0] == '-' && argument[1] != '-' && !jobsAttached)
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
                           : !options.logDir.empty()    ? "--log-dir"
                           : options.jobs != 1          ? "--jobs"
                                                        : nullptr;
    return excluded ? std::string("--info converts nothing and writes no file: leave out ") + excluded : "";
}

// The number of worker processes, when one was given.
std::string readJobs(const std::string& text, int& jobs)
{
    if (text.empty())
        return "";
    const std::string what = "--jobs needs a number of worker processes from 0 to 256, not " + text;
    if (text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return what;
    jobs = std::stoi(text);
    return jobs > 256 ? what : "";
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

// Which record set is read: as asked, else the extended one for what is
// exported or reported on and the base one for plain conversions.
std::string readRecordSet(FltconvertOptions& options)
{
    if (!options.records.empty() && options.records != "base" && options.records != "extended")
        return "--records needs a record set: base or extended, not " + options.records;
    if (options.extended && options.records == "base")
        return "--extended reads the extended record set: leave out --extended or --records base";
    if (!options.records.empty())
        options.extended = options.records == "extended";
    else if (!options.extended)
        options.extended = !options.gltfOut.empty() || !options.gltfDir.empty() || options.view || options.info;
    return "";
}

// A texture folder that is not there is a mistake in the command line.
std::string texturePathError(const std::vector<std::string>& texturePaths)
{
    for (const std::string& dir : texturePaths) {
        std::error_code error;
        if (!std::filesystem::is_directory(dir, error))
            return "--texture-path needs a folder, not " + dir + " (no folder has that name)";
    }
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
                           : !options.logDir.empty()   ? "--log-dir"
                           : options.noLog             ? "--no-log"
                           : options.jobs != 1         ? "-j"
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
    if (options.noLog && !options.logDir.empty())
        return "--no-log writes no transcript: leave out --log-dir or --no-log";
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
    flag("--no-log", options.noLog);

    std::string warningsLevel;
    std::string failOnLevel;
    std::string jobs;
    std::vector<ValueOption> valueOptions = {
        {"--scene", "a file name (or - for standard output)", true, &options.sceneOut, nullptr, {}},
        {"--plugin", "the plug-in's file name", false, &options.pluginPath, nullptr, {}},
        {"--gltf", "a file name (.glb or .gltf)", false, &options.gltfOut, nullptr, {}},
        {"--warnings", "a level: 1, 2 or 3", false, &warningsLevel, nullptr, {}},
        {"--fail-on", "a level: 1, 2 or 3", false, &failOnLevel, nullptr, {}},
        {"--gltf-dir", "a folder", false, &options.gltfDir, nullptr, {}},
        {"--texture-path", "a folder", false, nullptr, &options.texturePaths, {}},
        {"--log-dir", "a folder", false, &options.logDir, nullptr, {}},
        {"--jobs", "a number of worker processes", false, &jobs, nullptr, {}, "-j"},
        {"--records", "a record set: base or extended", false, &options.records, nullptr, {}},
        {"--flt", "a file name (.flt)", false, &options.fltOut, nullptr, {}},
        {"--texture-format", "a format: png or rgb", false, &options.textureFormat, nullptr, {}},
    };
    for (ValueOption& option : valueOptions)
        app.add_option(option.shortName ? std::string(option.shortName) + "," + option.name : option.name,
                       option.values)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
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
    if (error.empty())
        error = readJobs(jobs, options.jobs);
    if (!error.empty())
        return error;
    error = combinationError(options);
    if (error.empty())
        error = readRecordSet(options);
    if (error.empty())
        error = texturePathError(options.texturePaths);
    return error.empty() ? readProgressDelay(options.progressDelay) : error;
}
