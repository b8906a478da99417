#pragma once

#include <string>

#include "FltRecord.h"

// Comment and long identifier: the whole record body is one text.
class AbstractTextRecord : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;

protected:
    // Takes every body byte into `text` (c_str() is then always terminated,
    // whether or not the file's text is) and dumps it up to its first zero.
    static void bodyText(FltFields& f, const char* label, std::string& text);
};
