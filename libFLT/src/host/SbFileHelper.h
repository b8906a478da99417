#pragma once

#include <cstdio>

#include "SbString.h"

// File names and stdio files, for readers that look into files themselves.
class SbFileHelper {
public:
    // The characters after the last dot of the last path component (slashes
    // and backslashes both separate components); empty when it has no dot.
    static SbString getExtension(const SbString& fileName);
    // fopen with the given mode; null when the file cannot be opened.
    static FILE* open(const SbString& fileName, const char* mode);
    // fclose; 0 on success. Closing null does nothing and fails.
    static int close(FILE* file);
};
