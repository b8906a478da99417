#pragma once

#include "FltRecord.h"

// A text string or numeric display placed in the hierarchy.
class FltRecordText : public PrimaryFltRecord {
public:
    using PrimaryFltRecord::PrimaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordText>; }

    char idASCII[8] = {};
    int32_t reserved1[2] = {};
    int32_t textType = 0;
    int32_t drawType = 0;
    int32_t justification = 0;
    double floatValue = 0;
    int32_t intValue = 0;
    int32_t reserved2[5] = {};
    int32_t flags = 0;
    int32_t color = 0;
    int32_t color2 = 0;
    int32_t material = 0;
    int32_t reserved3 = 0;
    int32_t maxLineNumber = 0;
    int32_t maxCharNumber = 0;
    int32_t textLength = 0;
    int32_t nextLineNumber = 0;
    int32_t lineNumberAtTopOfDisplay = 0;
    int32_t valuesForInt[2] = {};   // low, high
    double valuesForFloat[2] = {};  // low, high
    double XlowerLeftCorner = 0;
    double YlowerLeftCorner = 0;
    double ZlowerLeftCorner = 0;
    double XupperRightCorner = 0;
    double YupperRightCorner = 0;
    double ZupperRightCorner = 0;
    char fontName[120] = {};
    int32_t drawVertical = 0;
    int32_t drawItalic = 0;
    int32_t drawBold = 0;
    int32_t drawUnderline = 0;
    int32_t lineStyle = 0;
    int32_t reserved4 = 0;

protected:
    const char* getTitle() const override { return "\n TEXT RECORD "; }
    void describe(FltFields& f) override;
};
