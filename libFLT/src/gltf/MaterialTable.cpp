#include "MaterialTable.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>

#include "ColorSpace.h"
#include "SoAppearanceNodes.h"

namespace {

float unit(float value) { return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f; }

// Entry i of a material field; shorter fields repeat their last value.
template <class Field, class Value>
Value entry(const Field& field, int i, Value fallback) {
    if (field.getNum() == 0) return fallback;
    return field[std::clamp(i, 0, field.getNum() - 1)];
}

}  // namespace

bool FaceLook::operator<(const FaceLook& o) const {
    return std::tie(base[0], base[1], base[2], base[3], emissive[0], emissive[1], emissive[2],
                    roughness, texture, cutOut, doubleSided, unlit) <
           std::tie(o.base[0], o.base[1], o.base[2], o.base[3], o.emissive[0], o.emissive[1],
                    o.emissive[2], o.roughness, o.texture, o.cutOut, o.doubleSided, o.unlit);
}

FaceLook MaterialTable::lookOf(const SoMaterial* material, int index, int texture,
                                          bool cutOut, bool doubleSided) {
    SbColor diffuse(0.8f, 0.8f, 0.8f), specular, emissive;
    float shininess = 0.2f, transparency = 0.0f;
    if (material) {
        diffuse = entry(material->diffuseColor, index, diffuse);
        specular = entry(material->specularColor, index, specular);
        emissive = entry(material->emissiveColor, index, emissive);
        shininess = entry(material->shininess, index, shininess);
        transparency = entry(material->transparency, index, transparency);
    }
    FaceLook look{};
    for (int c = 0; c < 3; ++c) {
        look.base[c] = color_space::srgbToLinear(unit(diffuse[c]));
        look.emissive[c] = color_space::srgbToLinear(unit(emissive[c]));
    }
    look.base[3] = 1.0f - unit(transparency);
    // A classic material is a dielectric whose highlight is as sharp as it is
    // shiny, and only as strong as its specular color.
    const float highlight = unit(std::max({specular[0], specular[1], specular[2]}));
    look.roughness = 1.0f - unit(shininess) * highlight;
    look.texture = texture;
    look.cutOut = cutOut;
    look.doubleSided = doubleSided;
    return look;
}

int MaterialTable::materialFor(const FaceLook& look) {
    const auto known = byLook_.find(look);
    if (known != byLook_.end()) return known->second;
    const int added = add(look);
    byLook_.emplace(look, added);
    return added;
}

int MaterialTable::add(const FaceLook& look) {
    tinygltf::Material material;
    material.name = "material" + std::to_string(model_.materials.size());
    auto& pbr = material.pbrMetallicRoughness;
    pbr.baseColorFactor.assign(look.base, look.base + 4);
    pbr.metallicFactor = 0.0;
    pbr.roughnessFactor = look.roughness;
    if (look.texture >= 0) pbr.baseColorTexture.index = look.texture;
    material.emissiveFactor.assign(look.emissive, look.emissive + 3);
    if (look.base[3] < 1.0f) {
        material.alphaMode = "BLEND";
    } else if (look.cutOut) {
        material.alphaMode = "MASK";
        material.alphaCutoff = 0.5;
    }
    material.doubleSided = look.doubleSided;
    if (look.unlit) {
        material.extensions["KHR_materials_unlit"] = tinygltf::Value(tinygltf::Value::Object());
        auto& used = model_.extensionsUsed;
        if (std::find(used.begin(), used.end(), "KHR_materials_unlit") == used.end())
            used.push_back("KHR_materials_unlit");
    }
    model_.materials.push_back(material);
    return static_cast<int>(model_.materials.size()) - 1;
}
