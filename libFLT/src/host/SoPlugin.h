#pragma once

#include <memory>

#include "SbString.h"

// A plug-in: a shared library exporting `initPlugin` and `exitPlugin`, both
// plain C functions without arguments. Loading calls initPlugin (where the
// plug-in registers its classes); unloading calls exitPlugin, then closes
// the library. Objects the plug-in made must be released before that.
// Loading one library twice shares its registrations, which the first
// unload ends.
class SoPlugin {
public:
    // Null, with the reason in `error`, when the library cannot be loaded or
    // lacks an entry point.
    static std::unique_ptr<SoPlugin> load(const SbString& path, SbString& error);
    ~SoPlugin();
    SoPlugin(const SoPlugin&) = delete;
    SoPlugin& operator=(const SoPlugin&) = delete;

    const SbString& getPath() const { return path_; }

private:
    using EntryPoint = void (*)();
    SoPlugin(const SbString& path, void* library, EntryPoint exitPlugin);

    SbString path_;
    void* library_;
    EntryPoint exitPlugin_;
};
