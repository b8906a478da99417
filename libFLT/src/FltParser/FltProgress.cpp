#include "FltProgress.h"

namespace {
FltProgressHook progressHook = nullptr;
void* progressContext = nullptr;
} // namespace

void setFltProgressHook(FltProgressHook hook, void* context)
{
    progressHook = hook;
    progressContext = context;
}

void reportFltProgress(FltProgressStage stage, const char* fileName, uint64_t done, uint64_t total)
{
    if (progressHook)
        progressHook(progressContext, stage, fileName ? fileName : "", done, total);
}
