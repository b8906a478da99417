#include "FltLogPlacement.h"

namespace {
std::string logFolder;
bool logWritten = true;
}

void setFltLogFolder(const std::string& folder)
{
    logFolder = folder;
}

void setFltLogWritten(bool written)
{
    logWritten = written;
}

std::string fltLogPathFor(const std::string& fileName)
{
    if (!logWritten)
        return "";
    if (logFolder.empty())
        return fileName + ".log";
    const std::string::size_type slash = fileName.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const bool endsInSlash = logFolder.back() == '/';
    return logFolder + (endsInSlash ? "" : "/") + name + ".log";
}
