#pragma once

// What the host calls after loading the plug-in and before unloading it.
extern "C" {
void initPlugin();
void exitPlugin();
}
