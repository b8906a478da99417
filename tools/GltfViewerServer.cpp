#include "GltfViewerServer.h"

#include <httplib.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace {

namespace fs = std::filesystem;

// Seconds a connection may stay silent while its request is read, or
// stalled while its answer is written.
constexpr time_t kReadTimeout = 5;
constexpr time_t kWriteTimeout = 10;

std::string contentType(const std::string& path)
{
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".html") return "text/html; charset=utf-8";
    if (extension == ".js" || extension == ".mjs") return "text/javascript; charset=utf-8";
    if (extension == ".css") return "text/css; charset=utf-8";
    if (extension == ".json") return "application/json";
    if (extension == ".glb") return "model/gltf-binary";
    if (extension == ".png") return "image/png";
    if (extension == ".wasm") return "application/wasm";
    return "application/octet-stream";
}

// A MANIFEST line names a file below the viewer's folder, nothing else.
bool isPlainRelativePath(const std::string& name)
{
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos)
        return false;
    for (const fs::path& part : fs::path(name))
        if (part == ".." || part == ".")
            return false;
    return true;
}

void sendFile(const std::string& path, httplib::Response& response)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    auto in = std::make_shared<std::ifstream>(path, std::ios::binary);
    if (error || !*in) {
        response.status = 404;
        return;
    }
    response.set_header("Cache-Control", "no-store");
    response.set_content_provider(
        static_cast<std::size_t>(size), contentType(path),
        [in](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            char chunk[1 << 16];
            in->seekg(static_cast<std::streamoff>(offset));
            const std::size_t want = std::min(length, sizeof chunk);
            in->read(chunk, static_cast<std::streamsize>(want));
            const std::streamsize got = in->gcount();
            return got > 0 && sink.write(chunk, static_cast<std::size_t>(got));
        });
}

} // namespace

// Beside the program as built (tools/viewer), else where an installation
// puts shared data relative to its programs; FLT_VIEWER_DIR names another.
std::string viewerDir()
{
    if (const char* dir = std::getenv("FLT_VIEWER_DIR"))
        return dir;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (fs::exists(folder / "viewer" / "MANIFEST", error))
        return (folder / "viewer").string();
    return (folder / FLT_BIN_TO_DATA / "libFLT" / "viewer").lexically_normal().string();
}

std::string viewerProblem()
{
    const fs::path dir = viewerDir();
    std::ifstream manifest(dir / "MANIFEST");
    if (!manifest)
        return "the viewer is missing: no " + (dir / "MANIFEST").string() +
               " (build the fltViewer target, which needs npm ci in viewer/)";
    std::error_code error;
    int listed = 0;
    for (std::string file; std::getline(manifest, file);) {
        if (file.empty())
            continue;
        ++listed;
        if (!fs::is_regular_file(dir / file, error))
            return "the viewer in " + dir.string() + " is incomplete: " + file + " is missing";
    }
    if (listed == 0)
        return "the viewer in " + dir.string() + " is incomplete: its MANIFEST lists nothing";
    return "";
}

ViewerServer::ViewerServer(const std::string& viewerFolder, const std::string& modelPath)
{
    std::ifstream manifest(fs::path(viewerFolder) / "MANIFEST");
    for (std::string file; std::getline(manifest, file);)
        if (isPlainRelativePath(file))
            files_["/" + file] = (fs::path(viewerFolder) / file).string();
    if (files_.count("/index.html"))
        files_["/"] = files_["/index.html"];
    files_["/model.glb"] = modelPath;
}

ViewerServer::~ViewerServer()
{
    stop();
}

int ViewerServer::start()
{
    server_ = std::make_unique<httplib::Server>();
    server_->set_read_timeout(kReadTimeout, 0);
    server_->set_write_timeout(kWriteTimeout, 0);
    server_->set_keep_alive_timeout(kReadTimeout);
    server_->set_payload_max_length(1024); // the viewer takes no uploads
    // Requests are looked up as httplib decodes them (so "%2e%2e" is ".."),
    // and only the listed paths exist.
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        const auto file = files_.find(request.path);
        if (file == files_.end()) {
            response.status = 404;
            return;
        }
        sendFile(file->second, response);
    });
    server_->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::to_string(response.status) + "\n", "text/plain");
    });
    const int port = server_->bind_to_any_port("127.0.0.1");
    if (port <= 0) {
        server_.reset();
        return 0;
    }
    thread_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
    return port;
}

void ViewerServer::stop()
{
    if (server_)
        server_->stop();
    if (thread_.joinable())
        thread_.join();
    server_.reset();
}

bool serveViewer(const std::string& modelPath)
{
    // SIGINT and SIGTERM are taken by this thread alone, with sigwait: the
    // server's threads, started below, inherit the blocked set.
    sigset_t stopSignals, previous;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);

    ViewerServer server(viewerDir(), modelPath);
    const int port = server.start();
    if (port == 0) {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        std::cerr << "fltconvert: cannot listen on the loopback interface" << std::endl;
        return false;
    }
    std::cout << "viewer: http://127.0.0.1:" << port << "/?file=model.glb" << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return true;
}
