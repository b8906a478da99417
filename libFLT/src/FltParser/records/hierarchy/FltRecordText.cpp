#include "FltRecordText.h"

void FltRecordText::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.reserved(reserved1);
    f.number("textType: ", textType);
    f.number("drawType: ", drawType);
    f.number("justification: ", justification);
    f.number("floatValue: ", floatValue);
    f.number("intValue: ", intValue);
    f.reserved(reserved2);
    f.hex("flags: ", flags);
    f.number("color: ", color);
    f.number("color2: ", color2);
    f.number("material: ", material);
    f.reserved(reserved3);
    f.number("maxLineNumber: ", maxLineNumber);
    f.number("maxCharNumber: ", maxCharNumber);
    f.number("textLength: ", textLength);
    f.number("nextLineNumber: ", nextLineNumber);
    f.number("lineNumberAtTopOfDisplay: ", lineNumberAtTopOfDisplay);
    f.number("valuesForInt: ", valuesForInt);
    f.number("valuesForFloat: ", valuesForFloat);
    f.number("XlowerLeftCorner: ", XlowerLeftCorner);
    f.number("YlowerLeftCorner: ", YlowerLeftCorner);
    f.number("ZlowerLeftCorner: ", ZlowerLeftCorner);
    f.number("XupperRightCorner: ", XupperRightCorner);
    f.number("YupperRightCorner: ", YupperRightCorner);
    f.number("ZupperRightCorner: ", ZupperRightCorner);
    f.text("fontName: ", fontName, sizeof fontName);
    f.number("drawVertical: ", drawVertical);
    f.number("drawItalic: ", drawItalic);
    f.number("drawBold: ", drawBold);
    f.number("drawUnderline: ", drawUnderline);
    f.number("lineStyle: ", lineStyle);
    f.reserved(reserved4);
}
