// fltconvert on whole trees: folders and zip archives as inputs, outputs
// mirrored below their folders, worker processes, transcripts placed or
// dropped, the batch summary, and what a hostile tree must never do.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include <nlohmann/json.hpp>

#include "ExampleDatabase.h"
#include "FltTestWriter.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

BatchRun fltconvert(const ScratchDir& dir, const std::string& arguments)
{
    const std::string command = "cd '" + dir.path() + "' && '" FLT_CONVERT_BINARY "' " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    BatchRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readTextFile(dir.file("stdout.txt"));
    run.err = readTextFile(dir.file("stderr.txt"));
    return run;
}

// Every regular file below `folder`, by its path below it.
std::set<std::string> filesBelow(const std::string& folder)
{
    std::set<std::string> files;
    if (fs::is_directory(folder))
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), folder).string());
    return files;
}

// A zip archive of the given members, as libzip writes it.
void writeZip(const std::string& path, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members,
              bool encrypted = false)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& member : members) {
        zip_source_t* source = zip_source_buffer(archive, member.second.data(), member.second.size(), 0);
        const zip_int64_t index = zip_file_add(archive, member.first.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        // Stored as they are, so that a test can damage a member's bytes in place.
        ASSERT_EQ(zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0), 0);
        if (encrypted) {
            ASSERT_EQ(zip_file_set_encryption(archive, index, ZIP_EM_AES_256, "secret"), 0);
        }
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// A tree of databases: two of one name in different folders, one in a
// folder with a name in capitals, one that is not OpenFlight.
void writeTree(const ScratchDir& dir)
{
    fs::create_directories(dir.file("db/a/deep"));
    fs::create_directories(dir.file("db/b"));
    dir.write("db/a/tree.flt", buildExampleDatabase());
    dir.write("db/b/tree.flt", buildExampleFountain());
    dir.write("db/a/deep/SHOUT.FLT", FltTestWriter().header(1570).group("g").bytes());
    dir.write("db/b/notes.txt", {'h', 'i'});
    dir.write("db/b/broken.flt", {'n', 'o'});
}

} // namespace

TEST(Batch, AFolderIsEveryDatabaseBelowItWithOutputsMirroredAlike)
{
    ScratchDir dir;
    writeTree(dir);
    const BatchRun one = fltconvert(dir, "--json --gltf-dir out1 --log-dir logs1 db");
    EXPECT_EQ(one.status, 1) << one.err; // broken.flt is refused
    EXPECT_EQ(filesBelow(dir.file("out1")),
              (std::set<std::string>{"a/deep/SHOUT.glb", "a/tree.glb", "b/tree.glb"}));
    EXPECT_EQ(filesBelow(dir.file("logs1")),
              (std::set<std::string>{"a/deep/SHOUT.FLT.log", "a/tree.flt.log", "b/tree.flt.log"}));
    // Nothing beside the inputs.
    EXPECT_FALSE(fileExists(dir.file("db/a/tree.flt.log")));

    // Workers: the same files, byte for byte, and the same lines in the same order.
    const BatchRun two = fltconvert(dir, "--json -j 2 --gltf-dir out2 --log-dir logs2 db");
    EXPECT_EQ(two.status, 1);
    for (const std::string& file : filesBelow(dir.file("out1")))
        EXPECT_EQ(readTextFile(dir.file("out1/" + file)), readTextFile(dir.file("out2/" + file))) << file;
    std::istringstream oneLines(one.out), twoLines(two.out);
    std::vector<nlohmann::json> lines;
    for (std::string a, b; std::getline(oneLines, a) && std::getline(twoLines, b);) {
        nlohmann::json first = nlohmann::json::parse(a), second = nlohmann::json::parse(b);
        if (first.contains("batch")) {
            first["batch"].erase("wall_seconds");
            second["batch"].erase("wall_seconds");
        } else {
            first.erase("gltf");
            second.erase("gltf");
        }
        EXPECT_EQ(first, second);
        lines.push_back(first);
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0]["file"], "db/a/deep/SHOUT.FLT");
    EXPECT_EQ(lines[3]["file"], "db/b/tree.flt");
    // The batch's figures against our own count of what was written.
    const nlohmann::json& batch = lines[4]["batch"];
    EXPECT_EQ(batch["inputs"], 4);
    EXPECT_EQ(batch["converted"], 3);
    EXPECT_EQ(batch["refused"], 1);
    std::uintmax_t written = 0;
    for (const std::string folder : {"out1", "logs1"})
        for (const std::string& file : filesBelow(dir.file(folder)))
            written += fs::file_size(dir.file(folder + "/" + file));
    EXPECT_EQ(batch["output_bytes"], written);

    // The summaries too, and what the conversions print themselves, but for the time taken.
    const auto withoutTime = [](std::string out) { return out.substr(0, out.rfind("  wall time: ")); };
    const BatchRun plainOne = fltconvert(dir, "--no-log db");
    const BatchRun plainTwo = fltconvert(dir, "--no-log -j2 db");
    EXPECT_EQ(withoutTime(plainOne.out), withoutTime(plainTwo.out));
    EXPECT_NE(plainTwo.out.find("Success in opening file: db/a/deep/SHOUT.FLT\ndb/a/deep/SHOUT.FLT: converted\n"),
              std::string::npos) << plainTwo.out;
}

TEST(Batch, NoLogWritesNoTranscriptAnywhere)
{
    ScratchDir dir;
    writeTree(dir);
    // Two workers would write one transcript at once: refused, unless there is none.
    EXPECT_EQ(fltconvert(dir, "-j 2 db db/a/tree.flt").status, 2);
    const BatchRun run = fltconvert(dir, "--no-log -j 2 db db/a/tree.flt");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("batch: 5 inputs: 4 converted, 0 failed, 1 refused\n"), std::string::npos) << run.out;
    for (const std::string& file : filesBelow(dir.path()))
        EXPECT_EQ(file.find(".log"), std::string::npos) << file;
}

TEST(Batch, AZipMemberConvertsAsItsUnpackedCopyBesideTheZip)
{
    ScratchDir dir;
    fs::create_directories(dir.file("tile"));
    fs::create_directories(dir.file("copy"));
    // The reference is relative: it resolves beside the zip, as the unpacked copy's does.
    const std::vector<uint8_t> model =
        FltTestWriter().header(1570).pushLevel().group("top").pushLevel().externalReference("part.flt").popLevel().popLevel().bytes();
    dir.write("tile/part.flt", buildExampleFountain());
    writeZip(dir.file("tile/models.zip"), {{"model.flt", model}, {"readme.txt", {'x'}}});
    dir.write("copy/model.flt", model);
    dir.write("copy/part.flt", buildExampleFountain());

    const BatchRun zipped = fltconvert(dir, "--no-log --scene zipped.txt --json --gltf-dir out tile/models.zip");
    const BatchRun unpacked = fltconvert(dir, "--no-log --scene unpacked.txt copy/model.flt");
    EXPECT_EQ(zipped.status, 0) << zipped.err;
    EXPECT_EQ(zipped.out.find("{\"file\": \"tile/models.zip/model.flt\", \"converted\": true, \"warnings\": []"), 0u)
        << zipped.out;
    EXPECT_EQ(readTextFile(dir.file("zipped.txt")), readTextFile(dir.file("unpacked.txt")));
    EXPECT_NE(readTextFile(dir.file("zipped.txt")).find("SoIndexedFaceSet"), std::string::npos);
    EXPECT_TRUE(fileExists(dir.file("out/models.zip/model.glb")));
    // --info reads it in memory alike.
    const std::string zippedInfo = fltconvert(dir, "--info tile/models.zip").out;
    const std::string unpackedInfo = fltconvert(dir, "--info copy/model.flt").out;
    EXPECT_EQ(zippedInfo.find("tile/models.zip/model.flt: format revision 1570"), 0u) << zippedInfo;
    EXPECT_EQ(zippedInfo.substr(zippedInfo.find(':')), unpackedInfo.substr(unpackedInfo.find(':')));
    EXPECT_FALSE(fileExists(dir.file("tile/model.flt")));
}

TEST(Batch, HostileTreesAreRefusedAndNothingLandsOutsideTheOutputFolder)
{
    ScratchDir dir;
    const std::vector<uint8_t> good = FltTestWriter().header(1570).bytes();
    fs::create_directories(dir.file("in/loop"));
    dir.write("in/good.flt", good);
    ASSERT_EQ(symlink("..", dir.file("in/loop/up").c_str()), 0);
    writeZip(dir.file("in/escape.zip"), {{"../../x.flt", good}});
    writeZip(dir.file("in/locked.zip"), {{"locked.flt", good}}, true);
    writeZip(dir.file("whole.zip"), {{"m.flt", good}});
    std::string cut = readTextFile(dir.file("whole.zip"));
    dir.write("in/cut.zip", std::vector<uint8_t>(cut.begin(), cut.begin() + static_cast<long>(cut.size() / 2)));
    std::vector<uint8_t> damaged(cut.begin(), cut.end());
    const std::size_t member = cut.find(std::string(good.begin(), good.begin() + 8));
    ASSERT_NE(member, std::string::npos);
    damaged[member + 20] ^= 0xff;
    dir.write("in/damaged.zip", damaged);

    const BatchRun run = fltconvert(dir, "--no-log --gltf-dir out in");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("in/loop/up: a symbolic link loop, not followed\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("in/escape.zip/../../x.flt: its name leads outside the archive's folder\n"),
              std::string::npos);
    EXPECT_NE(run.err.find("in/locked.zip/locked.flt: it is encrypted\n"), std::string::npos);
    EXPECT_NE(run.err.find("in/cut.zip: not a readable zip archive"), std::string::npos);
    EXPECT_NE(run.err.find("in/damaged.zip/m.flt: cannot be read from its archive: CRC error\n"), std::string::npos);
    EXPECT_EQ(filesBelow(dir.file("out")), (std::set<std::string>{"good.glb"}));
    EXPECT_FALSE(fileExists(dir.file("x.flt")));
    EXPECT_FALSE(fs::exists(dir.file("../x.glb")));

    // Two inputs for one output: refused before anything is written.
    fs::create_directories(dir.file("other"));
    dir.write("other/good.flt", good);
    const BatchRun clash = fltconvert(dir, "--no-log --gltf-dir clash in/good.flt other");
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.err.find("in/good.flt and other/good.flt would both be written to clash/good.glb"),
              std::string::npos) << clash.err;
    EXPECT_TRUE(filesBelow(dir.file("clash")).empty());

    fs::create_directories(dir.file("empty/sub"));
    const BatchRun empty = fltconvert(dir, "empty");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "fltconvert: empty: no OpenFlight database in this folder\n");
    for (const char* jobs : {"-1", "x", "257", "2.5"})
        EXPECT_EQ(fltconvert(dir, std::string("-j ") + jobs + " in").status, 2) << jobs;
}

// The README's recipe for many machines, word for word, on this one alone.
TEST(Batch, TheReadmeRecipeForManyMachinesMirrorsTheTreeAndListsFailures)
{
    if (std::system("command -v parallel >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel is not installed";
    const std::string readme = readTextFile(FLT_README_FILE);
    const std::string::size_type section = readme.find("### Beyond one machine");
    ASSERT_NE(section, std::string::npos);
    const std::string::size_type start = readme.find("```sh\n", section) + 6;
    const std::string recipe = readme.substr(start, readme.find("```", start) - start);

    ScratchDir dir;
    writeTree(dir);
    writeZip(dir.file("db/b/tile.zip"), {{"m1.flt", buildExampleFountain()}, {"m2.flt", buildExampleFountain()}});
    fs::create_directories(dir.file("out"));
    writeBinaryFile(dir.file("nodes"), {':', '\n'});
    writeBinaryFile(dir.file("recipe.sh"), std::vector<uint8_t>(recipe.begin(), recipe.end()));
    const std::string tools = fs::path(FLT_CONVERT_BINARY).parent_path().string();
    const std::string command = "cd '" + dir.path() + "' && DATASET='" + dir.file("db") + "' OUT='" +
                                dir.file("out") + "' NODES='" + dir.file("nodes") + "' PATH='" + tools +
                                "':\"$PATH\" bash recipe.sh 2>/dev/null";
    // parallel's status counts the failed jobs; the recipe's last step lists them.
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string lines = readTextFile(dir.file("out/converted.jsonl"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4 + 2 + 1) << lines; // a batch line for the zip

    // The same tree as one run over the whole folder writes.
    ASSERT_EQ(fltconvert(dir, "-q --gltf-dir whole --log-dir wholelogs db").status, 1);
    const auto normalised = [](const std::set<std::string>& files) {
        std::set<std::string> names;
        for (const std::string& file : files)
            names.insert(fs::path(file).lexically_normal().string());
        return names;
    };
    EXPECT_EQ(normalised(filesBelow(dir.file("out/gltf"))), filesBelow(dir.file("whole")));
    EXPECT_EQ(normalised(filesBelow(dir.file("out/logs"))), filesBelow(dir.file("wholelogs")));
    EXPECT_TRUE(fileExists(dir.file("whole/b/tile.zip/m2.glb")));
    const std::string failed = readTextFile(dir.file("out/failed.txt"));
    EXPECT_NE(failed.find("broken.flt"), std::string::npos) << failed;
    EXPECT_EQ(std::count(failed.begin(), failed.end(), '\n'), 1);
}

TEST(Batch, AnInterruptLeavesNoHalfWrittenFile)
{
    ScratchDir dir;
    const std::vector<uint8_t> town = buildExampleDatabase();
    for (int i = 0; i < 60; ++i) {
        fs::create_directories(dir.file("db/" + std::to_string(i)));
        dir.write("db/" + std::to_string(i) + "/town.flt", town);
    }
    const pid_t tool = fork();
    if (tool == 0) {
        setpgid(0, 0);
        if (chdir(dir.path().c_str()) == 0 && freopen("/dev/null", "w", stdout) && freopen("/dev/null", "w", stderr))
            execl(FLT_CONVERT_BINARY, FLT_CONVERT_BINARY, "-j", "2", "--gltf-dir", "out", "--log-dir", "logs", "db",
                  nullptr);
        _exit(127);
    }
    usleep(300000);
    // As a terminal's Ctrl-C does: the whole process group.
    kill(-tool, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);
    // Ended by the interrupt, as it would have been without workers, unless it was done already.
    if (WIFSIGNALED(status))
        EXPECT_EQ(WTERMSIG(status), SIGINT);
    else
        EXPECT_EQ(filesBelow(dir.file("out")).size(), 60u);
    for (const std::string& file : filesBelow(dir.file("out"))) {
        EXPECT_EQ(file.find(".partial-"), std::string::npos) << file;
        // A binary glTF file states its whole length in its header.
        const std::string bytes = readTextFile(dir.file("out/" + file));
        ASSERT_GE(bytes.size(), 12u) << file;
        uint32_t length = 0;
        std::memcpy(&length, bytes.data() + 8, 4);
        EXPECT_EQ(length, bytes.size()) << file;
    }
    // An input's transcript stays only with its glTF file: both were written whole.
    std::set<std::string> transcripts;
    for (const std::string& file : filesBelow(dir.file("out")))
        transcripts.insert(file.substr(0, file.size() - 4) + ".flt.log");
    for (const std::string& log : filesBelow(dir.file("logs")))
        EXPECT_EQ(transcripts.erase(log), 1u) << log << " without its glTF file";
    EXPECT_TRUE(transcripts.empty()) << *transcripts.begin() << " was written without its glTF file";
}
