// The command-line tool as a user drives it: summaries, JSON lines, the
// scene text, exit statuses, and standard output kept clean for pipes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "ExampleDatabase.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun fltconvert(const ScratchDir& dir, const std::string& arguments)
{
    const std::string errFile = dir.file("stderr.txt");
    const std::string command =
        "cd '" + dir.path() + "' && '" FLT_CONVERT_BINARY "' " + arguments + " 2>'" + errFile + "'";
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
    std::istringstream lines(run.out);
    std::string first, second, third, rest;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_FALSE(std::getline(lines, rest));
    EXPECT_EQ(first.find("{\"file\": \"town.flt\", \"converted\": true, \"warnings\": [], \"nodes\": {"), 0u)
        << first;
    EXPECT_NE(first.find("\"SoSeparator\": "), std::string::npos);
    EXPECT_NE(first.find("\"faces\": "), std::string::npos);
    EXPECT_NE(first.find("\"bbox\": "), std::string::npos);
    EXPECT_EQ(second.find("{\"file\": \"cut.flt\", \"converted\": true, \"warnings\": [{\"level\": 3, \"text\": "
                          "\"ERROR ! record of opcode 2 at offset 324 runs past the end of the file (64 bytes), "
                          "parsing stopped\"}], \"nodes\": {"),
              0u)
        << second;
    // No reader takes revision 10: the file is refused before any conversion.
    EXPECT_EQ(third, "{\"file\": \"old.flt\", \"converted\": false, \"warnings\": [], \"nodes\": {}, \"faces\": 0, "
                     "\"vertices\": 0, \"bbox\": null}");
    EXPECT_NE(run.err.find("fltconvert: no reader accepts old.flt\n"), std::string::npos);
    // What the conversion itself prints goes to the error stream.
    EXPECT_NE(run.err.find("Success in opening file: town.flt"), std::string::npos);
    EXPECT_TRUE(fileExists(dir.file("town.flt.log")));
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

TEST(Fltconvert, RefusalsAndUsageErrorsHaveTheirExitStatus)
{
    ScratchDir dir;
    dir.write("text.flt", {'h', 'e', 'l', 'l', 'o'});
    const ToolRun missing = fltconvert(dir, "missing.flt");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "fltconvert: cannot open missing.flt: No such file or directory\n");
    // The reader looks at the content before converting: nothing is converted, no log is written.
    const ToolRun notFlt = fltconvert(dir, "text.flt");
    EXPECT_EQ(notFlt.status, 1);
    EXPECT_EQ(notFlt.out, "");
    EXPECT_EQ(notFlt.err, "fltconvert: no reader accepts text.flt\n");
    EXPECT_FALSE(fileExists(dir.file("text.flt.log")));
    for (const char* usage : {"", "--scene", "--plugin", "--bogus x.flt", "--json --scene - x.flt"}) {
        const ToolRun run = fltconvert(dir, usage);
        EXPECT_EQ(run.status, 2) << usage;
        EXPECT_EQ(run.out, "") << usage;
        EXPECT_EQ(run.err.substr(0, 12), "fltconvert: ") << usage;
    }
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
