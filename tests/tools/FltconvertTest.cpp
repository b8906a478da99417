// The command-line tool as a user drives it: summaries, JSON lines, the
// scene text, help, refusals and their reasons, quiet runs, batches, exit
// statuses, and progress shown on a terminal only.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "ExampleDatabase.h"
#include "FltTestWriter.h"
#include "GltfModelBuilder.h"
#include "TestFiles.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `environment`: assignments for the tool's environment.
ToolRun fltconvert(const ScratchDir& dir, const std::string& arguments, const std::string& environment = "")
{
    const std::string errFile = dir.file("stderr.txt");
    const std::string command = "cd '" + dir.path() + "' && " + environment + " '" FLT_CONVERT_BINARY "' " +
                                arguments + " 2>'" + errFile + "'";
    ToolRun run;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.out.append(buffer, got);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    run.err = readTextFile(errFile);
    return run;
}

// Each line parsed, its keys kept in their order: comparing with an
// ordered_json checks the order too.
std::vector<nlohmann::ordered_json> jsonLines(const std::string& out)
{
    std::vector<nlohmann::ordered_json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(nlohmann::ordered_json::parse(line));
    return lines;
}

std::vector<std::string> keysOf(const nlohmann::ordered_json& object)
{
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

const std::string usageLine = "usage: fltconvert [-h] [--version] [-q] [--json] [--scene OUT] [--stat] "
                              "[--records base|extended] [--extended] [--warnings LEVEL] [--fail-on LEVEL] [--plugin PATH] "
                              "[--gltf OUT.glb|OUT.gltf | --gltf-dir DIR | --view | --info | --flt OUT.flt] "
                              "[--texture-path DIR]... [--texture-format png|rgb] [-j N] [--log-dir DIR | --no-log] "
                              "FILE|DIR|ZIP...\n";

// Runs the tool in `dir` with its error stream on a pseudo-terminal (and
// the progress line due at once); returns what the terminal received.
std::string errorsOnTerminal(const ScratchDir& dir, std::vector<std::string> arguments)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return "no pseudo-terminal";
    // Open before the fork: the terminal lasts exactly as long as the tool.
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (terminal < 0)
        return "no pseudo-terminal";
    arguments.insert(arguments.begin(), FLT_CONVERT_BINARY);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(terminal, 2);
        if (chdir(dir.path().c_str()) == 0 && setenv("FLTCONVERT_PROGRESS_DELAY", "0", 1) == 0)
            execv(argv[0], argv.data());
        _exit(127);
    }
    close(terminal);
    std::string received;
    char buffer[4096];
    ssize_t got;
    // Reading ends (EIO) when the tool has closed the terminal.
    while ((got = read(master, buffer, sizeof buffer)) > 0)
        received.append(buffer, static_cast<std::size_t>(got));
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    return received;
}

// Warnings of levels 1, 3 and 2, as they come: two bytes too few for a record
// at the end (met by the parse), a reference to no file, a Pop Level without
// a Push Level.
std::vector<uint8_t> databaseWithWarnings()
{
    std::vector<uint8_t> bytes = FltTestWriter().header(1570).externalReference("nothere.flt").popLevel().bytes();
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

} // namespace

TEST(Fltconvert, JsonLinesCarryOnlyTheResultAndTheWarningsOfEachFile)
{
    ScratchDir dir;
    dir.write("town.flt", buildExampleDatabase());
    dir.write("fountain.flt", buildExampleFountain());
    dir.write("cut.flt", FltTestWriter().header(1570).group("g").lengthField(64).bytes());
    dir.write("old.flt", FltTestWriter().header(10).bytes());
    const ToolRun run = fltconvert(dir, "--json town.flt cut.flt old.flt");
    EXPECT_EQ(run.status, 1);
    const std::vector<nlohmann::ordered_json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    const std::vector<std::string> convertedKeys = {"file", "converted", "warnings", "nodes", "faces", "vertices", "bbox"};
    EXPECT_EQ(keysOf(lines[0]), convertedKeys);
    EXPECT_EQ(lines[0]["file"], "town.flt");
    EXPECT_EQ(lines[0]["converted"], true);
    EXPECT_EQ(lines[0]["warnings"], nlohmann::ordered_json::array());
    EXPECT_GT(lines[0]["nodes"]["SoSeparator"].get<int>(), 0);
    EXPECT_GT(lines[0]["faces"].get<int>(), 0);
    EXPECT_EQ(lines[0]["bbox"], nlohmann::ordered_json::parse("[[-20, -20, 0], [20, 20, 5]]"));
    EXPECT_EQ(keysOf(lines[1]), convertedKeys);
    EXPECT_EQ(lines[1]["file"], "cut.flt");
    EXPECT_EQ(lines[1]["warnings"],
              nlohmann::ordered_json::parse(R"([{"level": 3, "text": "ERROR ! record of opcode 2 at offset 324 runs )"
                                            R"(past the end of the file (64 bytes), parsing stopped", "opcode": 2, )"
                                            R"("offset": 324}])"));
    EXPECT_EQ(keysOf(lines[3]), std::vector<std::string>{"batch"});
    EXPECT_EQ(lines[3]["batch"]["inputs"], 3);
    EXPECT_EQ(lines[3]["batch"]["converted"], 2);
    EXPECT_EQ(lines[3]["batch"]["failed"], 0);
    EXPECT_EQ(lines[3]["batch"]["refused"], 1);
    // No reader takes revision 10: the file is refused before any conversion.
    EXPECT_EQ(lines[2], nlohmann::ordered_json::parse(R"({"file": "old.flt", "converted": false, "reason": "format )"
                                                      R"(revision 10 is not supported", "warnings": [], "nodes": {}, )"
                                                      R"("faces": 0, "vertices": 0, "bbox": null})"));
    EXPECT_NE(run.err.find("fltconvert: old.flt: format revision 10 is not supported\n"), std::string::npos);
    // What the conversion itself prints goes to the error stream.
    EXPECT_NE(run.err.find("Success in opening file: town.flt"), std::string::npos);
    EXPECT_TRUE(fileExists(dir.file("town.flt.log")));
}

TEST(Fltconvert, TexturesNotBesideTheInputAreLookedForInTheTexturePaths)
{
    ScratchDir dir;
    dir.write("town.flt", buildExampleDatabase());
    const ToolRun missing = fltconvert(dir, "--json --gltf town.glb town.flt");
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(keysOf(jsonLines(missing.out).at(0)).back(), "missing_textures");
    EXPECT_EQ(jsonLines(missing.out).at(0)["missing_textures"], nlohmann::ordered_json::parse(R"(["cobbles.rgb"])"));
    const ToolRun summary = fltconvert(dir, "--gltf town.glb town.flt");
    EXPECT_NE(summary.out.find("\n  missing textures: cobbles.rgb\n"), std::string::npos) << summary.out;

    std::filesystem::create_directories(dir.file("maps/other"));
    dir.write("maps/COBBLES.RGB", {'n', 'o'});  // not an image: found, then warned about
    const ToolRun found = fltconvert(dir, "--json --gltf town.glb --texture-path maps/other --texture-path=maps town.flt");
    EXPECT_EQ(jsonLines(found.out).at(0)["missing_textures"], nlohmann::ordered_json::array()) << found.out;
    // Without an export the line keeps its keys.
    EXPECT_FALSE(jsonLines(fltconvert(dir, "--json town.flt").out).at(0).contains("missing_textures"));
}

TEST(Fltconvert, HumanSummaryAndSceneText)
{
    ScratchDir dir;
    dir.write("only.flt", FltTestWriter().header(1570, 0, 4).bytes());
    const ToolRun run = fltconvert(dir, "--scene scene.txt only.flt");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("only.flt: converted\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  nodes: SoNormalBinding 1 SoScale 1 SoSeparator 1"), std::string::npos);
    EXPECT_NE(run.out.find("bounding box: empty"), std::string::npos);
    EXPECT_EQ(readTextFile(dir.file("scene.txt")).find("SoSeparator \"root\" {\n  SoScale {\n"), 0u);

    const ToolRun toStdout = fltconvert(dir, "--scene - only.flt");
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, readTextFile(dir.file("scene.txt")));
    EXPECT_NE(toStdout.err.find("only.flt: converted"), std::string::npos);
}

TEST(Fltconvert, RecordsOnlyTheExtendedSetReadsAreCountedUntilItIsAskedFor)
{
    ScratchDir dir;
    FltTestWriter w;
    w.header(1570).pushLevel().object("o").pushLevel();
    w.mesh("m").localVertexPool(FltTestWriter::positionAttribute, std::vector<FltLocalVertex>(3));
    w.pushLevel().meshPrimitive(4, 1, {0, 1, 2}).popLevel().popLevel().popLevel();
    dir.write("mesh.flt", w.bytes());

    const ToolRun plain = fltconvert(dir, "mesh.flt");
    EXPECT_NE(plain.out.find("  faces: 0  vertices: 0\n"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("\n  extended records: 3 not read (--extended reads them)\n"), std::string::npos);
    const nlohmann::ordered_json json = jsonLines(fltconvert(dir, "--json mesh.flt").out).at(0);
    EXPECT_EQ(keysOf(json).back(), "extended_records");
    EXPECT_EQ(json["extended_records"], 3);

    const nlohmann::ordered_json extended = jsonLines(fltconvert(dir, "--extended --json mesh.flt").out).at(0);
    EXPECT_EQ(extended["faces"], 1);
    EXPECT_EQ(extended["vertices"], 3);
    EXPECT_FALSE(extended.contains("extended_records"));

    // Exports read the extended set unless told otherwise.
    const nlohmann::ordered_json exported = jsonLines(fltconvert(dir, "--json --gltf mesh.glb mesh.flt").out).at(0);
    EXPECT_EQ(exported["faces"], 1);
    EXPECT_EQ(exported["vertices"], 3);
    const nlohmann::ordered_json base = jsonLines(fltconvert(dir, "--records base --json --gltf mesh.glb mesh.flt").out).at(0);
    EXPECT_EQ(base["extended_records"], 3);
}

TEST(Fltconvert, HelpVersionAndUsageErrors)
{
    ScratchDir dir;
    for (const char* option : {"--help", "-h", "--help --bogus"}) {
        const ToolRun help = fltconvert(dir, option);
        EXPECT_EQ(help.status, 0) << option;
        EXPECT_EQ(help.err, "") << option;
        EXPECT_EQ(help.out.find(usageLine), 0u) << option;
        for (const char* listed : {"--version", "--quiet", "--json", "--scene OUT", "--stat", "--warnings", "--plugin",
                                   "--gltf", "--view", "Exit status", "Examples"})
            EXPECT_NE(help.out.find(listed), std::string::npos) << listed;
    }
    const ToolRun version = fltconvert(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "fltconvert (libFLT) " FLT_VERSION "\n");

    // One line saying what is wrong, then the usage line; nothing is converted.
    dir.write("only.flt", FltTestWriter().header(1570).bytes());
    const auto usageError = [&](const std::string& arguments, const std::string& environment = "") {
        const ToolRun run = fltconvert(dir, arguments, environment);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err.rfind("fltconvert: ", 0), 0u) << arguments;
        EXPECT_EQ(run.err.substr(run.err.find('\n') + 1), usageLine) << arguments;
        EXPECT_FALSE(fileExists(dir.file("only.flt.log"))) << arguments;
    };
    for (const char* arguments :
         {"", "only.flt ''", "- only.flt", "--bogus only.flt", "-qh only.flt", "--scene", "--scene --json only.flt",
          "--scene= only.flt", "--scene a --scene b only.flt", "--plugin", "--plugin - only.flt", "--json=yes only.flt",
          "--json --scene - only.flt", "-q --json only.flt", "--quiet --scene - only.flt", "-q --view only.flt",
          "--warnings", "--warnings 0 only.flt", "--warnings 4 only.flt", "--warnings=2x only.flt",
          "--warnings 1 --warnings=2 only.flt", "--gltf a.glb only.flt only.flt", "--view --gltf a.glb only.flt",
          "--fail-on 0 only.flt", "--fail-on=", "--gltf a.txt only.flt", "--gltf a only.flt", "--gltf-dir",
          "--gltf-dir d --view only.flt", "--gltf-dir d --gltf a.glb only.flt", "--info=1 only.flt",
          "--info --stat only.flt", "--info --gltf-dir d only.flt", "--info -q only.flt", "--info --scene s only.flt",
          "--texture-path", "--texture-path= only.flt", "--texture-path a --texture-path --json only.flt",
          "--texture-path nowhere only.flt", "--records all only.flt", "--extended --records base only.flt",
          "--flt", "--flt o.flt only.flt only.flt", "--flt o.flt --gltf a.glb only.flt", "--flt o.flt --json only.flt",
          "--flt o.flt --texture-format jpg only.flt", "--texture-format rgb only.flt", "--flt o.flt -j 2 only.flt", "--flt o.flt --no-log only.flt"})
        usageError(arguments);
    usageError("only.flt", "FLTCONVERT_PROGRESS_DELAY=soon");
    EXPECT_EQ(fltconvert(dir, "-q --", "").err, "fltconvert: no input file\n" + usageLine);
}

TEST(Fltconvert, RefusalsSayWhyAndNeverStopTheBatch)
{
    ScratchDir dir;
    const std::vector<uint8_t> good = FltTestWriter().header(1570).bytes();
    const auto withHeader = [&](std::size_t at, std::vector<uint8_t> value) {
        std::vector<uint8_t> bytes = good;
        std::copy(value.begin(), value.end(), bytes.begin() + static_cast<long>(at));
        return bytes;
    };
    ASSERT_EQ(mkdir(dir.file("folder.flt").c_str(), 0700), 0);
    dir.write("text.flt", {'h', 'e', 'l', 'l', 'o'});
    dir.write("empty.flt", {});
    dir.write("short.flt", std::vector<uint8_t>(good.begin(), good.begin() + 40));
    dir.write("old.flt", FltTestWriter().header(10).bytes());
    dir.write("new.flt", FltTestWriter().header(2304).bytes());
    dir.write("units.flt", withHeader(60, {0, 12}));
    dir.write("good.flt", good);
    const ToolRun run = fltconvert(dir, "missing.flt folder.flt text.flt empty.flt good.flt short.flt old.flt "
                                        "new.flt units.flt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "fltconvert: folder.flt: no OpenFlight database in this folder\n"
                       "fltconvert: missing.flt: No such file or directory\n"
                       "fltconvert: text.flt: not an OpenFlight database\n"
                       "fltconvert: empty.flt: the file is empty\n"
                       "fltconvert: short.flt: not an OpenFlight database: the Header is cut short (40 bytes)\n"
                       "fltconvert: old.flt: format revision 10 is not supported\n"
                       "fltconvert: new.flt: format revision 2304 is newer than the newest supported (2303)\n"
                       "fltconvert: units.flt: unit multiplier 12 is not supported (only 1 is)\n");
    // Only what converted is summarised; refused files are not converted at all.
    EXPECT_NE(run.out.find("good.flt: converted\n"), std::string::npos);
    EXPECT_EQ(run.out.find("text.flt"), std::string::npos);
    EXPECT_FALSE(fileExists(dir.file("text.flt.log")));
    EXPECT_EQ(fltconvert(dir, "good.flt good.flt").status, 0);

    // Root reads whatever the permissions say.
    if (geteuid() != 0) {
        dir.write("locked.flt", good);
        ASSERT_EQ(chmod(dir.file("locked.flt").c_str(), 0), 0);
        EXPECT_EQ(fltconvert(dir, "locked.flt").err, "fltconvert: locked.flt: Permission denied\n");
    }
}

TEST(Fltconvert, QuietShowsErrorsOnlyAndWarningsCanBeRepeated)
{
    ScratchDir dir;
    dir.write("warned.flt", databaseWithWarnings());
    dir.write("good.flt", FltTestWriter().header(1570).bytes());
    const std::string unresolved = "ERROR! CAN'T RESOLVE EXTERNAL REFERENCE: nothere.flt\n(Warning Level: 3)\n";
    const std::string unmatched = "WARNING ! trying a pop() but stack is empty! (File corrupted ?)\n(Warning Level: 2)\n";
    const std::string trailing = "(Warning Level: 1)\n";

    const ToolRun quiet = fltconvert(dir, "-q warned.flt good.flt missing.flt");
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(quiet.err, unresolved + "fltconvert: missing.flt: No such file or directory\n");

    // Each file's own warnings, once more after all of them went by.
    const ToolRun repeated = fltconvert(dir, "--warnings 2 warned.flt good.flt");
    EXPECT_EQ(repeated.status, 0);
    const std::string again = "fltconvert: warned.flt: 2 warnings of level 2 or above:\n" + unresolved + unmatched;
    EXPECT_EQ(repeated.err.find("WARNING ! 2 trailing bytes"), 0u) << repeated.err;
    EXPECT_EQ(repeated.err.find(trailing + unresolved + unmatched + again),
              repeated.err.size() - (trailing + unresolved + unmatched + again).size());
    EXPECT_EQ(fltconvert(dir, "-q --warnings=3 warned.flt").err,
              unresolved + "fltconvert: warned.flt: 1 warning of level 3 or above:\n" + unresolved);
}

TEST(Fltconvert, ProgressIsDrawnOnATerminalOnly)
{
    ScratchDir dir;
    // Enough records for the parse and the walk to report twice.
    FltTestWriter writer;
    writer.header(1570);
    for (int i = 0; i < 40000; ++i)
        writer.group("g");
    dir.write("big.flt", writer.bytes());

    const std::string terminal = errorsOnTerminal(dir, {"big.flt"});
    if (terminal == "no pseudo-terminal")
        GTEST_SKIP() << terminal;
    EXPECT_EQ(terminal.find("\rparsing big.flt: "), 0u) << terminal;
    EXPECT_NE(terminal.find("\rconverting big.flt: records 16384 of 40001\033[K"), std::string::npos);
    // Cleared when the file is done.
    EXPECT_EQ(terminal.substr(terminal.size() - 4), "\r\033[K");
    // With --json the error stream has the conversion's own lines, but no progress.
    EXPECT_EQ(errorsOnTerminal(dir, {"--json", "big.flt"}).find("big.flt: "), std::string::npos);
    EXPECT_EQ(errorsOnTerminal(dir, {"-q", "big.flt"}), "");

    const ToolRun piped = fltconvert(dir, "big.flt", "FLTCONVERT_PROGRESS_DELAY=0");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(piped.out.find('\r'), std::string::npos);
}

TEST(Fltconvert, PluginsThatCannotBeLoadedAreNamedInOneLine)
{
    ScratchDir dir;
    dir.write("only.flt", FltTestWriter().header(1570).bytes());
    const ToolRun missing = fltconvert(dir, "--plugin nothere.so only.flt");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.find("fltconvert: cannot load the plug-in nothere.so: "), 0u) << missing.err;
    const ToolRun notPlugin = fltconvert(dir, "--plugin '" FLT_HOST_LIBRARY "' only.flt");
    EXPECT_EQ(notPlugin.status, 2);
    EXPECT_EQ(notPlugin.err, "fltconvert: " FLT_HOST_LIBRARY " is not a plug-in: it exports no initPlugin\n");
}

TEST(Fltconvert, StatisticsFilesGoBesideEachInputGiven)
{
    ScratchDir dir;
    ASSERT_EQ(mkdir(dir.file("sub").c_str(), 0700), 0);
    dir.write("sub/two.flt", FltTestWriter().header(1570).group("a").group("b").bytes());
    dir.write("town.flt", buildExampleDatabase());
    dir.write("fountain.flt", buildExampleFountain());
    EXPECT_EQ(fltconvert(dir, "--stat sub/two.flt town.flt").status, 0);
    EXPECT_EQ(readTextFile(dir.file("sub/two.flt.stat")),
              "#Openflight Statistics File\n\n\n************************\nsub/two.flt\n"
              " \n Opcode 1:  1  \n Opcode 2:  2 ");
    EXPECT_TRUE(fileExists(dir.file("town.flt.stat")));
    // The file the town references is converted on the way, not given.
    EXPECT_FALSE(fileExists(dir.file("fountain.flt.stat")));
}

TEST(Fltconvert, FailOnCountsWarnedInputsAsFailedAndSummariesCountWarnings)
{
    ScratchDir dir;
    dir.write("warned.flt", databaseWithWarnings());
    dir.write("good.flt", FltTestWriter().header(1570).bytes());
    const ToolRun plain = fltconvert(dir, "warned.flt good.flt");
    EXPECT_EQ(plain.status, 0);
    const std::string warnedEnd = "  warnings: 1 of level 1, 1 of level 2, 1 of level 3\n";
    const std::string goodEnd = "  warnings: 0 of level 1, 0 of level 2, 0 of level 3\n";
    EXPECT_NE(plain.out.find("bounding box: empty\n" + warnedEnd), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find(goodEnd + "batch: 2 inputs: 2 converted, 0 failed, 0 refused\n"
                                       "  warnings: 1 of level 1, 1 of level 2, 1 of level 3\n"),
              std::string::npos);

    const ToolRun strict = fltconvert(dir, "--fail-on 2 warned.flt good.flt");
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("fltconvert: warned.flt: failed on a warning of level 3\n"), std::string::npos);
    EXPECT_EQ(fltconvert(dir, "--fail-on 3 good.flt").status, 0);

    const std::vector<nlohmann::ordered_json> lines = jsonLines(fltconvert(dir, "--json --fail-on=1 warned.flt good.flt").out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2]["batch"]["failed"], 1);
    EXPECT_EQ(lines[0]["failed_on"], 3);
    EXPECT_FALSE(lines[1].contains("failed_on"));
}

TEST(Fltconvert, JsonWarningsSayWhichRecordAndWhichReferencedFile)
{
    ScratchDir dir;
    dir.write("warned.flt", databaseWithWarnings());
    // The child's Pop Level without a Push Level is met in the nested conversion.
    dir.write("child.flt", FltTestWriter().header(1570).group("g").popLevel().bytes());
    dir.write("parent.flt", FltTestWriter().header(1570).group("top").externalReference("child.flt").bytes());
    const ToolRun run = fltconvert(dir, "--json warned.flt parent.flt");
    const std::vector<nlohmann::ordered_json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    const nlohmann::ordered_json& warned = lines[0]["warnings"];
    ASSERT_EQ(warned.size(), 3u);
    // The trailing bytes: where the parse met them.
    EXPECT_FALSE(warned[0].contains("opcode"));
    EXPECT_EQ(warned[0]["offset"], 324 + 216 + 4);
    EXPECT_EQ(warned[1]["opcode"], 63);
    EXPECT_EQ(warned[1]["record"], "EXTERNAL REFERENCE RECORD");
    EXPECT_EQ(warned[1]["offset"], 324);
    EXPECT_EQ(warned[2]["opcode"], 11);
    EXPECT_EQ(warned[2]["offset"], 324 + 216);
    EXPECT_FALSE(warned[2].contains("referenced_file"));
    const nlohmann::ordered_json& nested = lines[1]["warnings"];
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested[0]["text"], "WARNING ! trying a pop() but stack is empty! (File corrupted ?)");
    EXPECT_EQ(nested[0]["referenced_file"], "child.flt");
    EXPECT_EQ(nested[0]["offset"], FltTestWriter().header(1570).group("g").bytes().size());
    // The console's own lines are as they always were.
    EXPECT_NE(run.err.find("\nWARNING ! trying a pop() but stack is empty! (File corrupted ?)\n(Warning Level: 2)\n"),
              std::string::npos);
}

TEST(Fltconvert, GltfDirExportsEveryInputUnderAUniqueName)
{
    ScratchDir dir;
    ASSERT_EQ(mkdir(dir.file("a").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.file("b").c_str(), 0700), 0);
    dir.write("a/town.flt", buildExampleDatabase());
    dir.write("a/fountain.flt", buildExampleFountain());
    dir.write("b/town.flt", buildExampleFountain());
    dir.write("old.flt", FltTestWriter().header(10).bytes());
    const ToolRun run = fltconvert(dir, "--json --gltf-dir out/glb a/town.flt b/town.flt old.flt");
    EXPECT_EQ(run.status, 1);
    const std::vector<nlohmann::ordered_json> lines = jsonLines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]["gltf"], "out/glb/town.glb");
    EXPECT_EQ(lines[1]["gltf"], "out/glb/town-2.glb");
    EXPECT_FALSE(lines[2].contains("gltf"));
    EXPECT_GT(readTextFile(dir.file("out/glb/town.glb")).size(), readTextFile(dir.file("out/glb/town-2.glb")).size());
    EXPECT_EQ(readTextFile(dir.file("out/glb/town.glb")).compare(0, 4, "glTF"), 0);
    EXPECT_FALSE(fileExists(dir.file("out/glb/old.glb")));
}

TEST(Fltconvert, InfoReportsADatabaseWithoutWritingAnything)
{
    ScratchDir dir;
    dir.write("town.flt", buildExampleDatabase());
    dir.write("fountain.flt", buildExampleFountain());
    dir.write("cobbles.rgb", {1});
    // a references b, which references a back, and a file that is not there.
    dir.write("a.flt", FltTestWriter().header(1570).externalReference("b.flt").bytes());
    dir.write("b.flt", FltTestWriter().header(1570).externalReference("./a.flt").externalReference("gone.flt").bytes());
    dir.write("switches.flt", FltTestWriter()
                                  .header(1570, 0, 4)
                                  .switchNode("sw", 1, 2, 2, {0x5, 0, 0, 0x1})
                                  .longId("the long switch name")
                                  .texturePattern("textures/none.rgb", 7)
                                  .bytes());
    dir.write("old.flt", FltTestWriter().header(10).bytes());

    const ToolRun run = fltconvert(dir, "--info town.flt a.flt switches.flt old.flt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "fltconvert: old.flt: format revision 10 is not supported\n");
    EXPECT_EQ(run.out.find("town.flt: format revision 1570, units meters\n  origin: latitude 0 longitude 0\n"), 0u)
        << run.out;
    for (const char* expected : {"  records: ", "FACE RECORD 16", "  levels of detail: 1\n    houseLOD: switch in 500, "
                                 "switch out 0\n", "    lamps: current mask 0, masks 11 1\n",
                                 "  textures: 1\n    0 cobbles.rgb (found: cobbles.rgb)\n",
                                 "  external references: 1\n    fountain.flt (found)\n",
                                 "a.flt: format revision 1570", "    b.flt (found)\n      ./a.flt (cycle)\n"
                                 "      gone.flt (missing)\n", "switches.flt: format revision 1570, units feet\n",
                                 "    7 textures/none.rgb (missing)\n"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
    // Bits of child 0 first, up to the last one set.
    EXPECT_NE(run.out.find("    the long switch name: current mask 1, masks 101 " + std::string(32, '0') + "1\n"),
              std::string::npos);
    EXPECT_FALSE(fileExists(dir.file("town.flt.log")));
    EXPECT_FALSE(fileExists(dir.file("fountain.flt.log")));
    // Textures are looked for as the export looks for them: by their base name in the texture paths too.
    ASSERT_EQ(mkdir(dir.file("maps").c_str(), 0700), 0);
    dir.write("maps/NONE.RGB", {1});
    EXPECT_NE(fltconvert(dir, "--info --texture-path maps switches.flt").out.find("    7 textures/none.rgb (found: "
                                                                               "maps/NONE.RGB)\n"),
              std::string::npos);

    const ToolRun json = fltconvert(dir, "--info --json a.flt old.flt");
    const std::vector<nlohmann::ordered_json> lines = jsonLines(json.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["revision"], 1570);
    EXPECT_EQ(lines[0]["references"][0]["name"], "b.flt");
    EXPECT_EQ(lines[0]["references"][0]["references"][0]["state"], "cycle");
    EXPECT_EQ(lines[0]["references"][0]["references"][1]["state"], "missing");
    EXPECT_EQ(lines[1], nlohmann::ordered_json({{"file", "old.flt"}, {"reason", "format revision 10 is not supported"}}));
}

// Consecutive Sound Palette records are one object standing twice in the record list.
TEST(Fltconvert, InfoReadsFilesWhoseRecordsMerge)
{
    const auto withSoundPalettes = [](FltTestWriter writer) {
        return writer.record(93).u32(0).u32(0).record(93).u32(1).u32(0).bytes();
    };
    ScratchDir dir;
    dir.write("top.flt", withSoundPalettes(FltTestWriter().header(1570).externalReference("sounds.flt")));
    dir.write("sounds.flt", withSoundPalettes(FltTestWriter().header(1570)));
    const ToolRun run = fltconvert(dir, "--info top.flt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  external references: 1\n    sounds.flt (found)\n"), std::string::npos) << run.out;
}

TEST(Fltconvert, ViewSaysWhenItsViewerIsMissingOrIncomplete)
{
    ScratchDir dir;
    dir.write("only.flt", FltTestWriter().header(1570).bytes());
    const ToolRun missing = fltconvert(dir, "--view only.flt", "FLT_VIEWER_DIR=nothere");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.find("fltconvert: the viewer is missing: no nothere/MANIFEST"), 0u) << missing.err;
    EXPECT_EQ(missing.out, "");
    EXPECT_FALSE(fileExists(dir.file("only.flt.log")));

    ASSERT_EQ(mkdir(dir.file("viewer").c_str(), 0700), 0);
    dir.write("viewer/MANIFEST", {'i', 'n', 'd', 'e', 'x', '.', 'h', 't', 'm', 'l', '\n'});
    const ToolRun incomplete = fltconvert(dir, "--view only.flt", "FLT_VIEWER_DIR=viewer");
    EXPECT_EQ(incomplete.status, 2);
    EXPECT_EQ(incomplete.err, "fltconvert: the viewer in viewer is incomplete: index.html is missing\n");
}

TEST(Fltconvert, FltWritesAModelOrADatabaseWholeOrLeavesNothingBehind)
{
    ScratchDir dir;
    GltfModelBuilder model;
    const int mesh = model.mesh("quad", model.floats(quadPositions(), TINYGLTF_TYPE_VEC3));
    model.scene({model.node("quad", mesh)});
    const std::vector<unsigned char> glb = model.glb();
    dir.write("model.glb", glb);
    const ToolRun written = fltconvert(dir, "--flt out.flt model.glb");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out + written.err, "");
    EXPECT_GT(readTextFile(dir.file("out.flt")).size(), 0u);

    // An OpenFlight input comes back byte for byte.
    const std::vector<uint8_t> database = buildExampleDatabase();
    dir.write("example.flt", database);
    EXPECT_EQ(fltconvert(dir, "--flt copy.flt example.flt").status, 0);
    const std::string copy = readTextFile(dir.file("copy.flt"));
    EXPECT_EQ(std::vector<uint8_t>(copy.begin(), copy.end()), database);

    // Broken models: one line naming the reason, the old database kept, no file left.
    dir.write("out.flt", {'o', 'l', 'd'});
    dir.write("cut.glb", std::vector<uint8_t>(glb.begin(), glb.begin() + glb.size() / 2));
    dir.write("text.gltf", {'{', ' ', 'n', 'o'});
    const std::string json = model.json();
    const std::string uri = "\"uri\":\"data:";
    const std::string missingBuffer = json.substr(0, json.find(uri)) + "\"uri\":\"gone.bin\",\"x\":\"" +
                                      json.substr(json.find(uri) + uri.size());
    dir.write("missing.gltf", std::vector<uint8_t>(missingBuffer.begin(), missingBuffer.end()));
    const std::string draco = "{\"asset\":{\"version\":\"2.0\"},\"extensionsRequired\":[\"KHR_draco_mesh_compression\"]}";
    dir.write("draco.gltf", std::vector<uint8_t>(draco.begin(), draco.end()));
    const auto listing = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.insert(entry.path().filename().string());
        names.erase("stderr.txt");
        return names;
    };
    const std::set<std::string> before = listing();
    for (const auto& [input, reason] : std::vector<std::pair<std::string, std::string>>{
             {"cut.glb", "cannot be read"}, {"text.gltf", "cannot be read"}, {"missing.gltf", "gone.bin"},
             {"draco.gltf", "requires extension KHR_draco_mesh_compression"}, {"nowhere.glb", "no such file"}}) {
        const ToolRun refused = fltconvert(dir, "--flt out.flt " + input);
        EXPECT_EQ(refused.status, 1) << input;
        EXPECT_EQ(refused.err.rfind("fltconvert: " + input + ": ", 0), 0u) << refused.err;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
        EXPECT_EQ(readTextFile(dir.file("out.flt")), "old") << input;
        EXPECT_EQ(listing(), before) << input;
    }
}
