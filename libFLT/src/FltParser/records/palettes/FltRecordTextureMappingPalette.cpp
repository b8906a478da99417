#include "FltRecordTextureMappingPalette.h"

namespace {

// A block is made new when the record is decoded and described only when present.
template <class Block, class... Extra>
void describeBlock(FltFields& f, std::unique_ptr<Block>& block, Extra... extra)
{
    if (f.decoding())
        block = std::make_unique<Block>();
    if (block)
        block->describe(f, extra...);
}

template <class Block>
std::ostream& printBlock(std::ostream& os, const std::unique_ptr<Block>& block)
{
    return block ? printPart(*block, os) : os;
}

// A triple or pair dumped as "label(a,b,c)".
void tuple(FltFields& f, const char* label, FltValueRef values)
{
    f.number(label, values, ",", ")");
}

} // namespace

void FltRecordTextureMappingPalette::PutMapping::describe(FltFields& f)
{
    f.literal("Put Texture Mapping : ");
    f.number("  toolState: ", toolState);
    f.number("  activeGeometryPoint: ", activeGeometryPoint);
    tuple(f, "  lowerLeftCorner : (", lowerLeftCorner);
    tuple(f, "  upperRightCorner : (", upperRightCorner);
    tuple(f, "  sizeFlags : (", sizeFlags);
    f.reserved(reserved);
    tuple(f, "  textureOrigin : (", textureOrigin);
    tuple(f, "  textureAlignment : (", textureAlignment);
    tuple(f, "  textureShear : (", textureShear);
    tuple(f, "  geometryOrigin : (", geometryOrigin);
    tuple(f, "  geometryAlignment : (", geometryAlignment);
    tuple(f, "  geometryShear : (", geometryShear);
    f.number("  activeTexturePoint : ", activeTexturePoint);
    f.number("  displayType : ", displayType);
}

void FltRecordTextureMappingPalette::FourPointPutMapping::describe(FltFields& f,
                                                                   uint32_t recordLength)
{
    f.literal("Point Put Texture Mapping : ");
    f.number("  toolState: ", toolState);
    f.number("  activeGeometryPoint: ", activeGeometryPoint);
    tuple(f, "  lowerLeftCorner : (", lowerLeftCorner);
    tuple(f, "  upperRightCorner : (", upperRightCorner);
    tuple(f, "  sizeFlags : (", sizeFlags);
    tuple(f, "  textureOrigin : (", textureOrigin);
    tuple(f, "  textureAlignment : (", textureAlignment);
    tuple(f, "  textureShear : (", textureShear);
    tuple(f, "  texturePerspective : (", texturePerspective);
    tuple(f, "  geometryOrigin : (", geometryOrigin);
    tuple(f, "  geometryAlignment : (", geometryAlignment);
    tuple(f, "  geometryShear : (", geometryShear);
    tuple(f, "  geometryPerspective : (", geometryPerspective);
    f.number("  activeTexturePoint : ", activeTexturePoint);
    f.reserved(displayType); // decoded, not dumped
    f.number("  depthScale : ", depthScale);
    f.reserved(reserved);
    f.matrix(matrix);
    // Older writers end the record before the repetitions; they then stay 0.
    if (recordLength > repetitionsFrom) {
        f.reserved(uRepetition);
        f.reserved(vRepetition);
    }
}

void FltRecordTextureMappingPalette::SphericalMapping::describe(FltFields& f)
{
    f.literal("Spherical Texture Mapping : ");
    f.number("  scale : ", scale);
    f.reserved(reserved);
    tuple(f, "  center : (", center);
    f.number("  scaleRatio : ", scaleRatio);
    f.number("  maxDimension : ", maxDimension);
}

void FltRecordTextureMappingPalette::RadialMapping::describe(FltFields& f)
{
    f.literal("Radial Texture Mapping : ");
    f.number("activeGeometryPoint : ", activeGeometryPoint);
    f.reserved(reserved);
    f.number("radialScale : ", radialScale);
    f.number("lengthScale : ", lengthScale);
    f.matrix(matrix);
    tuple(f, "  endPoint1 : (", endPoint1);
    tuple(f, "  endPoint2 : (", endPoint2);
}

void FltRecordTextureMappingPalette::WarpedMapping::describe(FltFields& f)
{
    f.literal("Warped Texture Mapping : ");
    f.number("activeGeometryPoint : ", activeGeometryPoint);
    f.number("toolState : ", toolState);
    f.matrix(matrix);
    for (double(&point)[2] : fromPoint)
        tuple(f, "  fromPoint : (", point);
    for (double(&point)[2] : toPoint)
        tuple(f, "  toPoint : (", point);
}

void FltRecordTextureMappingPalette::describe(FltFields& f)
{
    f.reserved(reserved);
    f.number(" index: ", index);
    f.text(" name: ", name, sizeof name);
    f.number(" type: ", type);
    f.number(" warpedFlag: ", warpedFlag);
    f.reserved(matrix); // the transformation is decoded, not dumped
    switch (type) {
    case put: describeBlock(f, putMapping); break;
    case fourPointPut: describeBlock(f, pointPutMapping, getLength()); break;
    case spherical: describeBlock(f, sphericalMapping); break;
    case radial: describeBlock(f, radialMapping); break;
    default: break;
    }
    if (warpedFlag != 0)
        describeBlock(f, warpedMapping);
}

std::ostream& FltRecordTextureMappingPalette::printPutMapping(std::ostream& os)
{
    return printBlock(os, putMapping);
}

std::ostream& FltRecordTextureMappingPalette::printPointPutMapping(std::ostream& os)
{
    return printBlock(os, pointPutMapping);
}

std::ostream& FltRecordTextureMappingPalette::printSphericalMapping(std::ostream& os)
{
    return printBlock(os, sphericalMapping);
}

std::ostream& FltRecordTextureMappingPalette::printRadialMapping(std::ostream& os)
{
    return printBlock(os, radialMapping);
}

std::ostream& FltRecordTextureMappingPalette::printWarpedMapping(std::ostream& os)
{
    return printBlock(os, warpedMapping);
}
