#ifndef FLT_PLUGIN_ENTRY_POINTS_H
#define FLT_PLUGIN_ENTRY_POINTS_H

// What the host calls after loading the plug-in and before unloading it.
extern "C" {
void initPlugin();
void exitPlugin();
}

#endif
