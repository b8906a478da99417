#pragma once

#include <string>

// fltconvert --view: the viewer page with its three.js modules (built
// beside the program, installed in share/libFLT/viewer, or the directory
// FLT_VIEWER_DIR names) and one exported model, served over HTTP on the
// loopback interface only.

// Where --view writes its model: a fresh private temporary directory.
std::string viewerModelPath();

// Why the viewer's folder cannot be served (missing, or a file its MANIFEST
// lists is not there), or an empty string when it can.
std::string viewerProblem();

// Prints the page's address, then serves until interrupted (SIGINT or
// SIGTERM) and removes the model's directory. False when it cannot listen.
bool serveViewer(const std::string& modelPath);
