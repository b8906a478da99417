#include "SoInput.h"

#include "SbFileHelper.h"

SoInput::~SoInput() { closeFile(); }

bool SoInput::openFile(const char* fileName) {
    closeFile();
    FILE* opened = SbFileHelper::open(fileName, "rb");
    if (!opened) return false;
    name_ = fileName;
    file_ = opened;
    ownsFile_ = true;
    return true;
}

void SoInput::setFileName(const char* fileName) {
    closeFile();
    name_ = fileName;
}

void SoInput::setFilePointer(FILE* file, const char* fileName) {
    closeFile();
    name_ = fileName;
    file_ = file;
}

void SoInput::closeFile() {
    if (ownsFile_) SbFileHelper::close(file_);
    name_ = SbString();
    file_ = nullptr;
    ownsFile_ = false;
}

const char* SoInput::getCurFileName() const {
    return file_ || name_.getLength() > 0 ? name_.getString() : nullptr;
}
