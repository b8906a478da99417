#include "SoPlugin.h"

#include <dlfcn.h>

namespace {

SbString lastLoaderError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}

}  // namespace

std::unique_ptr<SoPlugin> SoPlugin::load(const SbString& path, SbString& error) {
    if (path.getLength() == 0) {
        error = "no plug-in file named";
        return nullptr;
    }
    // Without a slash dlopen would search the library path instead of the file named.
    const SbString file = path.find("/") < 0 ? "./" + path : path;
    void* library = dlopen(file.getString(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error = "cannot load the plug-in " + path + ": " + lastLoaderError();
        return nullptr;
    }
    const auto initPlugin = reinterpret_cast<EntryPoint>(dlsym(library, "initPlugin"));
    const auto exitPlugin = reinterpret_cast<EntryPoint>(dlsym(library, "exitPlugin"));
    if (!initPlugin || !exitPlugin) {
        error = path + " is not a plug-in: it exports no " + (initPlugin ? "exitPlugin" : "initPlugin");
        dlclose(library);
        return nullptr;
    }
    initPlugin();
    return std::unique_ptr<SoPlugin>(new SoPlugin(path, library, exitPlugin));
}

SoPlugin::SoPlugin(const SbString& path, void* library, EntryPoint exitPlugin)
    : path_(path), library_(library), exitPlugin_(exitPlugin) {}

SoPlugin::~SoPlugin() {
    exitPlugin_();
    dlclose(library_);
}
