#pragma once

// A process-wide hook through which a long conversion tells how far it is.
// The parser and the converter's walk call it once every
// fltProgressInterval records, so a hook costs nothing measurable and no
// hook costs one test. Set it before converting: it is called on the
// thread that converts, for every file converted (referenced files too).

#include <cstdint>

enum class FltProgressStage {
    Parsing,    // `done` of the file's `total` bytes cut into records
    Converting, // `done` of the file's `total` records walked
};

using FltProgressHook = void (*)(void* context, FltProgressStage stage, const char* fileName,
                                 uint64_t done, uint64_t total);

constexpr uint32_t fltProgressInterval = 16384;

// A null hook: none.
void setFltProgressHook(FltProgressHook hook, void* context);
void reportFltProgress(FltProgressStage stage, const char* fileName, uint64_t done, uint64_t total);
