#include "FltReferencedFile.h"

#include <climits>
#include <cstdlib>

namespace {

std::string withSlashes(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
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
