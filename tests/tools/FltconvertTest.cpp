// The command-line tool as a user drives it: summaries, JSON lines, the
// scene text, exit statuses, and standard output kept clean for pipes.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

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
    dir.write("old.flt", FltTestWriter().header(10).bytes());
    const ToolRun run = fltconvert(dir, "--json town.flt old.flt");
    EXPECT_EQ(run.status, 1);
    const std::string::size_type newline = run.out.find('\n');
    ASSERT_NE(newline, std::string::npos);
    const std::string first = run.out.substr(0, newline);
    const std::string second = run.out.substr(newline + 1);
    EXPECT_EQ(first.find("{\"file\": \"town.flt\", \"converted\": true, \"warnings\": [], \"nodes\": {"), 0u)
        << first;
    EXPECT_NE(first.find("\"SoSeparator\": "), std::string::npos);
    EXPECT_NE(first.find("\"faces\": "), std::string::npos);
    EXPECT_NE(first.find("\"bbox\": "), std::string::npos);
    EXPECT_EQ(second,
              "{\"file\": \"old.flt\", \"converted\": false, \"warnings\": [{\"level\": 3, \"text\": \"ERROR ! "
              "Openflight Format Revision not supported !\"}], \"nodes\": {\"SoSeparator\": 1}, \"faces\": 0, "
              "\"vertices\": 0, \"bbox\": null}\n");
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
    EXPECT_EQ(fltconvert(dir, "missing.flt").status, 1);
    const ToolRun notFlt = fltconvert(dir, "text.flt");
    EXPECT_EQ(notFlt.status, 1);
    EXPECT_NE(notFlt.err.find("ERROR! Not an Openflight Input !\n(Warning Level: 3)\n"), std::string::npos);
    for (const char* usage : {"", "--scene", "--bogus x.flt", "--json --scene - x.flt"}) {
        const ToolRun run = fltconvert(dir, usage);
        EXPECT_EQ(run.status, 2) << usage;
        EXPECT_EQ(run.out, "") << usage;
        EXPECT_EQ(run.err.substr(0, 12), "fltconvert: ") << usage;
    }
}
