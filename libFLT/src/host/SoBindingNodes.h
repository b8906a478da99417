#pragma once

#include <cstdint>

#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// How per-shape values (materials, normals, texture coordinates) are matched
// to the parts, faces or vertices of the shapes that follow. Derived names
// its own DEFAULT binding.
template <class Derived>
class SoBindingNode : public SoSubNode<Derived, SoNode> {
public:
    enum Binding : int32_t {
        OVERALL = 2,
        PER_PART,
        PER_PART_INDEXED,
        PER_FACE,
        PER_FACE_INDEXED,
        PER_VERTEX,
        PER_VERTEX_INDEXED
    };

    SoSFEnum value;

protected:
    SoBindingNode() { this->addField("value", value, int32_t{Derived::DEFAULT}); }
};

class SoMaterialBinding : public SoBindingNode<SoMaterialBinding> {
public:
    static constexpr const char* kClassName = "SoMaterialBinding";
    static constexpr Binding DEFAULT = OVERALL;
};

class SoNormalBinding : public SoBindingNode<SoNormalBinding> {
public:
    static constexpr const char* kClassName = "SoNormalBinding";
    static constexpr Binding DEFAULT = PER_VERTEX_INDEXED;
};

class SoTextureCoordinateBinding : public SoBindingNode<SoTextureCoordinateBinding> {
public:
    static constexpr const char* kClassName = "SoTextureCoordinateBinding";
    static constexpr Binding DEFAULT = PER_VERTEX_INDEXED;
};
