// fltconvert --view's server, driven with plain HTTP requests: only the
// viewer's listed files and the model exist, an idle or flooding client
// holds nobody up; and --view never touches a temporary folder it did not
// make.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "ExampleDatabase.h"
#include "GltfViewerServer.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

int connectTo(int port)
{
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    timeval timeout{10, 0};
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        return -1;
    }
    return client;
}

bool sendAll(int socket, const std::string& bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t now = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (now <= 0)
            return false;
        sent += static_cast<std::size_t>(now);
    }
    return true;
}

// Sends `request` as it is and returns the answer: its head and as many
// bytes as its Content-Length says (or all until the server closes).
std::string roundTrip(int port, const std::string& request)
{
    const int client = connectTo(port);
    if (client < 0)
        return "";
    sendAll(client, request);
    std::string answer;
    char chunk[4096];
    for (ssize_t got; (got = recv(client, chunk, sizeof chunk, 0)) > 0;) {
        answer.append(chunk, static_cast<std::size_t>(got));
        const std::size_t head = answer.find("\r\n\r\n");
        const std::size_t length = answer.find("\r\nContent-Length: ");
        if (head != std::string::npos && length != std::string::npos && length < head &&
            answer.size() >= head + 4 + std::stoul(answer.substr(length + 18)))
            break;
    }
    close(client);
    return answer;
}

std::string get(int port, const std::string& target)
{
    return roundTrip(port, "GET " + target + " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n");
}

int status(const std::string& answer)
{
    return answer.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(answer.c_str() + 9) : 0;
}

std::string header(const std::string& answer, const std::string& name)
{
    const std::size_t at = answer.find("\r\n" + name + ": ");
    if (at == std::string::npos)
        return "";
    const std::size_t start = at + name.size() + 4;
    return answer.substr(start, answer.find("\r\n", start) - start);
}

std::string body(const std::string& answer)
{
    const std::size_t end = answer.find("\r\n\r\n");
    return end == std::string::npos ? "" : answer.substr(end + 4);
}

// A viewer folder of three listed files, one file it does not list, and a
// secret beside it.
struct ServedViewer {
    ScratchDir dir;
    ViewerServer server;
    int port;

    ServedViewer() : server(makeFiles(dir), dir.file("model.glb")), port(server.start()) {}

    static std::string makeFiles(const ScratchDir& dir)
    {
        fs::create_directories(dir.file("viewer/lib"));
        writeText(dir.file("viewer/MANIFEST"), "index.html\nviewer.js\nlib/three.module.js\n../secret.txt\n");
        writeText(dir.file("viewer/index.html"), "<html></html>");
        writeText(dir.file("viewer/viewer.js"), "export {};");
        writeText(dir.file("viewer/lib/three.module.js"), "export const three = 1;");
        writeText(dir.file("viewer/unlisted.txt"), "not served");
        writeText(dir.file("secret.txt"), "secret");
        writeText(dir.file("model.glb"), "glTF-model-bytes");
        return dir.file("viewer");
    }
    static void writeText(const std::string& path, const std::string& text)
    {
        writeBinaryFile(path, std::vector<uint8_t>(text.begin(), text.end()));
    }
};

} // namespace

TEST(ViewerServer, ServesTheListedFilesAndTheModelWithTheirTypesAndNothingElse)
{
    ServedViewer viewer;
    ASSERT_GT(viewer.port, 0);

    const struct {
        const char* target;
        const char* type;
        const char* content;
    } served[] = {
        {"/", "text/html; charset=utf-8", "<html></html>"},
        {"/index.html?file=model.glb", "text/html; charset=utf-8", "<html></html>"},
        {"/viewer.js", "text/javascript; charset=utf-8", "export {};"},
        {"/lib/three.module.js", "text/javascript; charset=utf-8", "export const three = 1;"},
        {"/model.glb", "model/gltf-binary", "glTF-model-bytes"},
    };
    for (const auto& file : served) {
        const std::string answer = get(viewer.port, file.target);
        EXPECT_EQ(status(answer), 200) << file.target;
        EXPECT_EQ(header(answer, "Content-Type"), file.type) << file.target;
        EXPECT_EQ(body(answer), file.content) << file.target;
    }

    // Paths out of the folder, raw or encoded, files it holds but does not
    // list, the list itself, absolute paths and what the manifest wrongly names.
    for (const char* target :
         {"/../secret.txt", "/lib/../../secret.txt", "/%2e%2e/secret.txt", "/%2E%2E%2Fsecret.txt",
          "/lib/%2e%2e/%2e%2e/secret.txt", "/../../etc/passwd", "//etc/passwd", "/etc/passwd",
          "/unlisted.txt", "/MANIFEST", "/lib", "/lib/", "/viewer.js/", "/viewer.js%00.html", "/index.html/."}) {
        const std::string answer = get(viewer.port, target);
        EXPECT_EQ(status(answer), 404) << target << "\n" << answer;
        EXPECT_EQ(answer.find("secret"), std::string::npos) << target;
    }
    EXPECT_EQ(status(roundTrip(viewer.port, "GET http://localhost/../secret.txt HTTP/1.1\r\nConnection: close\r\n\r\n")),
              404);
    // Nothing but reading.
    EXPECT_GE(status(roundTrip(viewer.port,
                              "POST /model.glb HTTP/1.1\r\nContent-Length: 3\r\nConnection: close\r\n\r\nabc")),
              400);
}

TEST(ViewerServer, IdleFloodingAndMalformedClientsHoldNobodyUp)
{
    ServedViewer viewer;
    ASSERT_GT(viewer.port, 0);

    // Clients that connect and say nothing, one that says half a request.
    std::vector<int> idle;
    for (int i = 0; i < 3; ++i)
        idle.push_back(connectTo(viewer.port));
    sendAll(idle.back(), "GET /index.html HTTP/1.1\r\nHost: local");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(status(get(viewer.port, "/viewer.js")), 200);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));

    // A megabyte of headers, a very long URL, bytes that are no request:
    // each gets an error answer or a closed connection, and the server goes on.
    const std::string hugeHeaders =
        "GET /index.html HTTP/1.1\r\nX-Big: " + std::string(1 << 20, 'a') + "\r\nConnection: close\r\n\r\n";
    EXPECT_NE(status(roundTrip(viewer.port, hugeHeaders)), 200);
    EXPECT_EQ(status(get(viewer.port, "/" + std::string(100000, 'a'))) / 100, 4);
    EXPECT_NE(status(roundTrip(viewer.port, std::string("\x16\x03\x01\x02\x00\x01\x00\r\n\r\n", 11))), 200);
    EXPECT_NE(status(roundTrip(viewer.port, "GET\r\n\r\n")), 200);
    EXPECT_EQ(status(get(viewer.port, "/model.glb")), 200);

    for (int client : idle)
        close(client);
}

TEST(ViewerServer, ViewStopsWithOneLineAndTouchesNothingWhenItsFolderCannotBeMade)
{
    ScratchDir dir;
    dir.write("town.flt", buildExampleDatabase());
    fs::create_directories(dir.file("viewer"));
    dir.write("viewer/MANIFEST", {'i', 'n', 'd', 'e', 'x', '.', 'h', 't', 'm', 'l', '\n'});
    dir.write("viewer/index.html", {'<', 'p', '>'});

    // A folder whose path leaves no room for one more name: mkdir fails
    // there even for root. The canary beside it must survive.
    std::string crowded = dir.path();
    while (crowded.size() < 4085)
        crowded += "/" + std::string(std::min<std::size_t>(200, 4085 - crowded.size() - 1), 'd');
    fs::create_directories(crowded);
    ASSERT_TRUE(writeBinaryFile(crowded + "/canary", {'c'}));
    dir.write("canary", {'c'});

    for (const std::string& tmpdir : {crowded, dir.file("canary"), dir.file("missing")}) {
        const std::string errors = dir.file("errors.txt");
        const std::string command = "cd '" + dir.path() + "' && TMPDIR='" + tmpdir + "' FLT_VIEWER_DIR=viewer timeout 20 '" +
                                    FLT_CONVERT_BINARY "' --view town.flt >/dev/null 2>'" + errors + "'";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1) << tmpdir;
        const std::string said = readTextFile(errors);
        EXPECT_EQ(said.find("fltconvert: --view cannot make a private folder in " + tmpdir + ": "), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    EXPECT_TRUE(fileExists(crowded + "/canary"));
    EXPECT_EQ(readTextFile(dir.file("canary")), "c");
    // Stopped before converting: not even the transcript was written.
    EXPECT_FALSE(fileExists(dir.file("town.flt.log")));
}
