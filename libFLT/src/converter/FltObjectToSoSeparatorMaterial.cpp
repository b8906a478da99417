// The material entry of one face: its colour (packed, from the colour
// palette, or none) combined with its material from the material palette.

#include <iostream>

#include "FltDecode.h"
#include "FltObjectToSoSeparator.h"
#include "FltVertexColor.h"
#include "FltRecordFace.h"
#include "FltToVeldra.h"

namespace {

struct MaterialValues {
    SbColor ambient{0.2f, 0.2f, 0.2f};
    SbColor diffuse{0.8f, 0.8f, 0.8f};
    SbColor specular{0.0f, 0.0f, 0.0f};
    SbColor emissive{0.0f, 0.0f, 0.0f};
    float shininess = 0.2f;
    float transparency = 0.0f;
};

template <class T>
T valueAt(const SoMField<T>& field, int index, const T& fallback)
{
    return index >= 0 && index < field.getNum() ? field[index] : fallback;
}

// Entry m of the material palette node; a material the palette never
// defined reads as the default material.
MaterialValues paletteMaterial(const SoMaterial& palette, int m)
{
    const MaterialValues fallback;
    MaterialValues values;
    values.ambient = valueAt(palette.ambientColor, m, fallback.ambient);
    values.diffuse = valueAt(palette.diffuseColor, m, fallback.diffuse);
    values.specular = valueAt(palette.specularColor, m, fallback.specular);
    values.emissive = valueAt(palette.emissiveColor, m, fallback.emissive);
    values.shininess = valueAt(palette.shininess, m, fallback.shininess);
    values.transparency = valueAt(palette.transparency, m, fallback.transparency);
    return values;
}

bool inPalette(int64_t entry) { return entry >= 0 && entry < fltPaletteColorEntries; }

// A colour-palette entry; entries past the table give white, leaving the
// material's own colour.
SbColor paletteColor(const uint32_t* palette, int64_t entry)
{
    SbColor color(1.0f, 1.0f, 1.0f);
    float transparency = 0.0f;
    if (inPalette(entry))
        color.setPackedValue(palette[entry], transparency);
    return color;
}

float intensity(int32_t colorIndex) { return static_cast<float>(colorIndex % 128) / 127.0f; }

void write(SoMaterial& set, int entry, const MaterialValues& v)
{
    set.ambientColor.set1Value(entry, v.ambient);
    set.diffuseColor.set1Value(entry, v.diffuse);
    set.specularColor.set1Value(entry, v.specular);
    set.emissiveColor.set1Value(entry, v.emissive);
    set.shininess.set1Value(entry, v.shininess);
    set.transparency.set1Value(entry, v.transparency);
}

float unit(float value) { return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f; }

// A colour as 0xRRGGBB00, each channel clamped to 0..1.
uint32_t rgbWord(const SbColor& color)
{
    uint32_t rgb = 0;
    for (int c = 0; c < 3; ++c)
        rgb |= static_cast<uint32_t>(unit(color[c]) * 255.0f + 0.5f) << (24 - 8 * c);
    return rgb;
}

} // namespace

FaceAppearance FltObjectToSoSeparator::writeMaterialEntry(const FltRecordFace& face, SoMaterial& set,
                                                          int entry) const
{
    const SbColor packed(face.packedPrimaryColor.getRed(), face.packedPrimaryColor.getGreen(),
                         face.packedPrimaryColor.getBlue());
    const bool noColor = testBit(face.flags, FltRecordFace::noColorBit);
    const bool packedColor = testBit(face.flags, FltRecordFace::packedColorBit);
    const int32_t m = face.materialIndex;
    const float faceTransparency = static_cast<float>(face.transparency);
    const int32_t ci = face.primaryColorIndex;
    const uint32_t* palette = converter->colorPalette;
    const SbColor black(0.0f, 0.0f, 0.0f);

    // The face's own opacity: face, object and material transparency
    // together, each read from its record (the scene's values above follow
    // other rules, kept as they are).
    FaceAppearance appearance;
    appearance.opacity = (1.0f - faceTransparency / 65535.0f) * unit(objectOpacity);

    MaterialValues v;
    if (m == -1) {
        if (noColor) {
            // the default material, as it stands
        } else if (packedColor) {
            v.ambient = v.diffuse = packed;
            v.specular = v.emissive = black;
            v.shininess = 0.0f;
        } else {
            // Entry ci / 128 of the palette at intensity (ci mod 128) / 127.
            const int64_t k = ci >> 7;
            if (!inPalette(k)) {
                std::cout << "bad color index\n";
                return appearance;
            }
            v.ambient = v.diffuse = SbColor(paletteColor(palette, k) * intensity(ci));
            v.specular = v.emissive = black;
            v.shininess = 0.0f;
            v.transparency = faceTransparency / 65535.0f * (1.0f - objectTransparency);
        }
        write(set, entry, v);
        appearance.color = rgbWord(v.diffuse);
        return appearance;
    }

    const MaterialValues material = paletteMaterial(*converter->defaultMaterial, m);
    const float materialTransparency =
        material.transparency * (1.0f - faceTransparency * objectTransparency / 65535.0f);
    v = material;
    appearance.opacity *= 1.0f - unit(material.transparency);
    if (noColor) {
        v.transparency = materialTransparency;
        appearance.color = rgbWord(material.diffuse);
    } else if (packedColor) {
        v.ambient = material.ambient * packed;
        v.diffuse = material.diffuse * packed;
        v.transparency = 0.0f;
        appearance.color = rgbWord(packed);
    } else {
        SbColor c(1.0f, 1.0f, 1.0f);
        if (face.textureWhite != 0 && face.texturePatternIndex != -1) {
            // white under a texture, so the texture shows its own colours
        } else if (getVersion() > 13) {
            if (getRGBMode())
                c = packed;
            else
                c = paletteColor(palette, (getVersion() >= 1540 ? ci : face.colorNameIndex) / 128);
        } else if (getRGBMode()) {
            c = paletteColor(palette, ci / 128);
        } else if (ci >= 4096) {
            c = paletteColor(palette, ci % 4096 + 4096);
        } else if (ci >= 0) {
            c = SbColor(c * intensity(ci));
        }
        v.ambient = material.ambient * c;
        v.diffuse = material.diffuse * c;
        v.transparency = materialTransparency;
        appearance.color = rgbWord(c);
    }
    write(set, entry, v);
    return appearance;
}
