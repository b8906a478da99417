// Palette records fill the converter's tables; they make no nodes of their own.

#include <cstring>

#include "FltFixedText.h"
#include "FltOpcodes.h"
#include "FltRecordColorPalette.h"
#include "FltRecordLineStylePalette.h"
#include "FltRecordMaterial.h"
#include "FltRecordNamePalette.h"
#include "FltRecordOLDMaterialPalette.h"
#include "FltRecordTexturePattern.h"
#include "FltToVeldra.h"

namespace {

// Faces name their material with a signed 16-bit index: no larger index can
// ever be used, and taking one would grow the material node without bound.
constexpr int32_t maxMaterialIndex = 32767;

uint32_t reversedBytes(uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0xff00u) | ((value << 8) & 0xff0000u) | (value << 24);
}

// A node replaced in its table dies unless a scene already holds it.
template <class Node>
void replaceNode(std::map<int32_t, SoRef<Node>>& table, int32_t key, Node* node)
{
    table[key] = SoRef<Node>(node);
}

void writeMaterial(SoMaterial& palette, const FltRecordMaterial& material)
{
    const int32_t i = material.index;
    if (i < 0 || i > maxMaterialIndex)
        return;
    auto color = [](const float (&rgb)[3]) { return SbColor(rgb[0], rgb[1], rgb[2]); };
    palette.ambientColor.set1Value(i, color(material.ambient));
    palette.diffuseColor.set1Value(i, color(material.diffuse));
    palette.specularColor.set1Value(i, color(material.specular));
    palette.emissiveColor.set1Value(i, color(material.emissive));
    palette.shininess.set1Value(i, material.shininess / 128.0f);
    palette.transparency.set1Value(i, 1.0f - material.alpha);
}

void writeOldMaterials(SoMaterial& palette, const FltRecordOLDMaterialPalette& old)
{
    for (std::size_t e = 0; e < FltRecordOLDMaterialPalette::materialCount; ++e) {
        const FltRecordOLDMaterialPalette::Entry& entry = old.entries[e];
        FltRecordMaterial material(old.getLength());
        material.index = static_cast<int32_t>(e);
        std::memcpy(material.name, entry.name, sizeof material.name);
        material.flags = entry.flags;
        std::memcpy(material.ambient, entry.ambient, sizeof material.ambient);
        std::memcpy(material.diffuse, entry.diffuse, sizeof material.diffuse);
        std::memcpy(material.specular, entry.specular, sizeof material.specular);
        std::memcpy(material.emissive, entry.emissive, sizeof material.emissive);
        material.shininess = entry.shininess;
        material.alpha = entry.alpha;
        writeMaterial(palette, material);
    }
}

} // namespace

void FltToVeldra::convertPalette(FltRecord* record)
{
    switch (record->getOpcode()) {
    case FLT_COLOR_PALETTE:
        if (const auto* palette = dynamic_cast<const FltRecordColorPalette*>(record))
            for (std::size_t i = 0; i < FltRecordColorPalette::colorCount; ++i)
                colorPalette[i] = reversedBytes(palette->color[i]);
        break;
    case FLT_TEXTURE_PATTERN:
        if (const auto* pattern = dynamic_cast<const FltRecordTexturePattern*>(record)) {
            SoTexture2* texture = new SoTexture2;
            replaceNode(textures, pattern->patternIndex, texture);
            texture->filename.setValue(
                SbString(relativePath + fixedText(pattern->fileName)));
        }
        break;
    case FLT_OLD_MATERIAL_PALETTE:
        if (const auto* old = dynamic_cast<const FltRecordOLDMaterialPalette*>(record))
            writeOldMaterials(*defaultMaterial, *old);
        break;
    case FLT_VERTEX_COLOR: appendVertex(record, VERTEX_COLOR_ID); break;
    case FLT_VERTEX_COLOR_NORMAL: appendVertex(record, VERTEX_COLOR_NORMAL_ID); break;
    case FLT_VERTEX_COLOR_NORMAL_UV: appendVertex(record, VERTEX_COLOR_NORMAL_UV_ID); break;
    case FLT_VERTEX_COLOR_UV: appendVertex(record, VERTEX_COLOR_UV_ID); break;
    case FLT_LINE_STYLE_PALETTE:
        if (const auto* style = dynamic_cast<const FltRecordLineStylePalette*>(record)) {
            SoDrawStyle* drawStyle = new SoDrawStyle;
            drawStyle->lineWidth.setValue(static_cast<float>(style->lineWidth));
            drawStyle->linePattern.setValue(static_cast<uint16_t>(style->patternMask));
            replaceNode(lineStyles, static_cast<int32_t>(style->lineStyleIndex), drawStyle);
        }
        break;
    case FLT_MATERIAL:
        if (const auto* material = dynamic_cast<const FltRecordMaterial*>(record))
            writeMaterial(*defaultMaterial, *material);
        break;
    case FLT_NAME_PALETTE:
        if (const auto* palette = dynamic_cast<const FltRecordNamePalette*>(record))
            names = std::map<int32_t, std::string>(palette->names.begin(), palette->names.end());
        break;
    default: break; // vertex palette, light sources, texture mapping, others: nothing to keep
    }
}
