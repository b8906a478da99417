#include "SbFileHelper.h"

#include <string>

SbString SbFileHelper::getExtension(const SbString& fileName) {
    const std::string& name = fileName.toStdString();
    const std::string::size_type separator = name.find_last_of("/\\");
    const std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return SbString();
    return SbString(name.substr(dot + 1));
}

FILE* SbFileHelper::open(const SbString& fileName, const char* mode) {
    if (fileName.getLength() == 0 || !mode) return nullptr;
    return std::fopen(fileName.getString(), mode);
}

int SbFileHelper::close(FILE* file) {
    return file ? std::fclose(file) : EOF;
}
