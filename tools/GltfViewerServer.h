#pragma once

#include <string>

// fltconvert --view: the viewer page (viewer/ in the source tree, or the
// directory FLT_VIEWER_DIR names) and one exported model, served over HTTP
// on the loopback interface only.

// Where --view writes its model: a fresh private temporary directory.
std::string viewerModelPath();

// Prints the page's address, then serves until interrupted (SIGINT or
// SIGTERM) and removes the model's directory. False when it cannot listen.
bool serveViewer(const std::string& modelPath);
