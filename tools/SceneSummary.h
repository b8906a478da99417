#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "SbBox3f.h"

class SoNode;

// What a converted scene holds: distinct nodes by type, the faces and
// vertex references of its face sets, and its bounding box.
struct SceneSummary {
    std::map<std::string, int64_t> nodesByType;
    int64_t faces = 0;
    int64_t vertices = 0;
    SbBox3f boundingBox;
};

// Every node reachable from the root (children and node fields) counts once.
SceneSummary summarizeScene(SoNode* root);
