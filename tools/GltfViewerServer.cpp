#include "GltfViewerServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

namespace fs = std::filesystem;

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

// Beside the program as built (tools/viewer), else where an installation
// puts shared data relative to its programs; FLT_VIEWER_DIR names another.
fs::path viewerDir() {
    if (const char* dir = std::getenv("FLT_VIEWER_DIR")) return dir;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (fs::exists(folder / "viewer" / "MANIFEST", error)) return folder / "viewer";
    return (folder / FLT_BIN_TO_DATA / "libFLT" / "viewer").lexically_normal();
}

std::string contentType(const fs::path& path) {
    const std::string extension = path.extension().string();
    if (extension == ".html") return "text/html; charset=utf-8";
    if (extension == ".js" || extension == ".mjs") return "text/javascript";
    if (extension == ".css") return "text/css";
    if (extension == ".json") return "application/json";
    if (extension == ".glb") return "model/gltf-binary";
    if (extension == ".png") return "image/png";
    return "application/octet-stream";
}

// The file a request path names, or an empty path for anything outside the
// viewer's directory.
fs::path resolve(std::string target, const std::string& modelPath) {
    target = target.substr(0, target.find_first_of("?#"));
    if (target == "/model.glb") return modelPath;
    if (target == "/") target = "/index.html";
    if (target.empty() || target[0] != '/' || target.find("..") != std::string::npos) return {};
    return viewerDir() / target.substr(1);
}

void sendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
}

void answer(int client, const std::string& modelPath) {
    std::string request;
    char chunk[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const ssize_t got = recv(client, chunk, sizeof chunk, 0);
        if (got <= 0) break;
        request.append(chunk, static_cast<std::size_t>(got));
    }
    const std::size_t methodEnd = request.find(' ');
    const std::size_t targetEnd = request.find(' ', methodEnd + 1);
    fs::path file;
    if (request.compare(0, methodEnd, "GET") == 0 && targetEnd != std::string::npos)
        file = resolve(request.substr(methodEnd + 1, targetEnd - methodEnd - 1), modelPath);

    std::ifstream in;
    std::error_code error;
    if (!file.empty() && fs::is_regular_file(file, error)) in.open(file, std::ios::binary);
    if (!in) {
        static const char notFound[] =
            "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        sendAll(client, notFound, sizeof notFound - 1);
        return;
    }
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType(file) +
                               "\r\nContent-Length: " + std::to_string(fs::file_size(file, error)) +
                               "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
    sendAll(client, header.data(), header.size());
    std::vector<char> body(1 << 16);
    while (in.read(body.data(), static_cast<std::streamsize>(body.size())) || in.gcount() > 0)
        sendAll(client, body.data(), static_cast<std::size_t>(in.gcount()));
}

}  // namespace

std::string viewerProblem() {
    const fs::path dir = viewerDir();
    std::ifstream manifest(dir / "MANIFEST");
    if (!manifest)
        return "the viewer is missing: no " + (dir / "MANIFEST").string() +
               " (build the fltViewer target, which needs npm ci in viewer/)";
    std::error_code error;
    int listed = 0;
    for (std::string file; std::getline(manifest, file);) {
        if (file.empty()) continue;
        ++listed;
        if (!fs::is_regular_file(dir / file, error))
            return "the viewer in " + dir.string() + " is incomplete: " + file + " is missing";
    }
    if (listed == 0) return "the viewer in " + dir.string() + " is incomplete: its MANIFEST lists nothing";
    return "";
}

std::string viewerModelPath() {
    std::string pattern = (fs::temp_directory_path() / "fltview-XXXXXX").string();
    const char* dir = mkdtemp(pattern.data());
    return (fs::path(dir ? dir : fs::temp_directory_path().string()) / "model.glb").string();
}

bool serveViewer(const std::string& modelPath) {
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // any free port
    socklen_t length = sizeof address;
    if (server < 0 || bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(server, 16) != 0 || getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::cerr << "fltconvert: cannot listen on the loopback interface" << std::endl;
        if (server >= 0) close(server);
        return false;
    }
    // No SA_RESTART: a signal must interrupt accept() so that the loop ends.
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::cout << "viewer: http://127.0.0.1:" << ntohs(address.sin_port) << "/?file=model.glb"
              << std::endl;
    while (!stopRequested) {
        const int client = accept(server, nullptr, nullptr);
        if (client < 0) {
            if (errno == EINTR) continue;
            break;
        }
        answer(client, modelPath);
        close(client);
    }
    close(server);
    std::error_code ignored;
    fs::remove_all(fs::path(modelPath).parent_path(), ignored);
    return true;
}
