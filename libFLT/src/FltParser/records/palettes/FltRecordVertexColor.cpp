#include "FltRecordVertexColor.h"

void FltRecordVertexColor::describe(FltFields& f)
{
    f.number("colorNameIndex: ", colorNameIndex);
    f.flags(nullptr, flags,
            {{startHardEdgeBit, "flags: Start Hard Edge: "},
             {normalFrozenBit, "         Normal frozen: "},
             {noColorBit, "              No Color: "},
             {packedColorBit, "          Packed Color: "}});
    f.number("Xcoordinate: ", Xcoordinate);
    f.number("Ycoordinate: ", Ycoordinate);
    f.number("Zcoordinate: ", Zcoordinate);
    describeAttributes(f);
    static const char* const colorLabels[4] = {"packedColor: alpha=", "              blue=",
                                               "             green=", "               red="};
    f.packedColor(colorLabels, packedColor);

    // Older revisions have no colour index; the dump still shows its -1.
    const bool hasColorIndex = getVersion() >= 1540;
    if (hasColorIndex || f.dumping())
        f.number("vertexColorIndex: ", vertexColorIndex);
    if (hasColorIndex)
        describeTrailer(f);
}

void FltRecordVertexColor::describeNormal(FltFields& f, float (&vertexNormal)[3])
{
    f.number("vertexNormal: i=", vertexNormal[0]);
    f.number("              j=", vertexNormal[1]);
    f.number("              k=", vertexNormal[2]);
}

void describeVertexTexture(FltFields& f, float (&texture)[2])
{
    f.number("texture: u=", texture[0]);
    f.number("         v=", texture[1]);
}
