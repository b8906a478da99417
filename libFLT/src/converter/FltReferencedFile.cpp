#include "FltReferencedFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

std::string withSlashes(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// A regular file that can be opened for reading (a folder opens too, and
// reads nothing).
bool isReadableFile(const std::string& name)
{
    struct stat facts;
    if (stat(name.c_str(), &facts) != 0 || !S_ISREG(facts.st_mode))
        return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

std::string fltReferenceRelativeName(const std::string& storedName)
{
    const bool dotted = storedName.compare(0, 2, "./") == 0 || storedName.compare(0, 2, ".\\") == 0;
    return dotted ? storedName.substr(2) : storedName;
}

std::string fltReferencedFileName(const char* directory, const std::string& storedName)
{
    return withSlashes(std::string(directory ? directory : "") + fltReferenceRelativeName(storedName));
}

std::string fltCanonicalFileName(const std::string& name)
{
    const std::string slashed = withSlashes(name);
    char resolved[PATH_MAX];
    return realpath(slashed.c_str(), resolved) ? std::string(resolved) : slashed;
}

FltReferenceVerdict fltJudgeReference(const std::string& fileName, const std::vector<std::string>& chain,
                                      int filesRead)
{
    if (!isReadableFile(fileName))
        return FltReferenceVerdict::Missing;
    if (std::find(chain.begin(), chain.end(), fltCanonicalFileName(fileName)) != chain.end())
        return FltReferenceVerdict::Cycle;
    if (chain.size() >= fltMaxReferenceDepth)
        return FltReferenceVerdict::TooDeep;
    if (filesRead >= fltMaxReferencedFiles)
        return FltReferenceVerdict::TooMany;
    return FltReferenceVerdict::Follow;
}

const char* fltReferenceNotFollowedReason(FltReferenceVerdict verdict)
{
    switch (verdict) {
    case FltReferenceVerdict::Cycle: return "it leads back to a file being converted";
    case FltReferenceVerdict::TooDeep: return "references nested too deep";
    case FltReferenceVerdict::TooMany: return "too many referenced files";
    case FltReferenceVerdict::Follow:
    case FltReferenceVerdict::Missing: break;
    }
    return "";
}
