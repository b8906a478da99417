#pragma once

#include <map>
#include <memory>
#include <string>
#include <thread>

// fltconvert --view: the viewer page with its three.js modules (built
// beside the program, installed in share/libFLT/viewer, or the directory
// FLT_VIEWER_DIR names) and one exported model, served over HTTP on the
// loopback interface only.

namespace httplib {
class Server;
}

// The folder the viewer's files are served from.
std::string viewerDir();

// Why the viewer's folder cannot be served (missing, or a file its MANIFEST
// lists is not there), or an empty string when it can.
std::string viewerProblem();

// Serves exactly the files the viewer's MANIFEST lists and the model, as
// /model.glb, on 127.0.0.1; every other path is 404. Requests are answered
// by a pool of threads, each connection with read and write timeouts, so an
// idle or slow client never holds up the next.
class ViewerServer {
public:
    ViewerServer(const std::string& viewerFolder, const std::string& modelPath);
    ~ViewerServer();
    ViewerServer(const ViewerServer&) = delete;
    ViewerServer& operator=(const ViewerServer&) = delete;

    // Listens on a free loopback port and serves in the background; the
    // port, or 0 when it cannot listen.
    int start();
    void stop();

private:
    std::map<std::string, std::string> files_; // request path -> file
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
};

// Prints the page's address, then serves until interrupted (SIGINT or
// SIGTERM). False when it cannot listen.
bool serveViewer(const std::string& modelPath);
