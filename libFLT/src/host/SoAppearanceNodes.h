#pragma once

#include <cstdint>

#include "SbColor.h"
#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Surface material; multiple values are indexed through a material binding.
class SoMaterial : public SoSubNode<SoMaterial, SoNode> {
public:
    static constexpr const char* kClassName = "SoMaterial";

    SoMFColor ambientColor;
    SoMFColor diffuseColor;
    SoMFColor specularColor;
    SoMFColor emissiveColor;
    SoMFFloat shininess;     // 0..1
    SoMFFloat transparency;  // 0 opaque .. 1 invisible

    SoMaterial() {
        addField("ambientColor", ambientColor, SbColor(0.2f, 0.2f, 0.2f));
        addField("diffuseColor", diffuseColor, SbColor(0.8f, 0.8f, 0.8f));
        addField("specularColor", specularColor, SbColor(0.0f, 0.0f, 0.0f));
        addField("emissiveColor", emissiveColor, SbColor(0.0f, 0.0f, 0.0f));
        addField("shininess", shininess, 0.2f);
        addField("transparency", transparency, 0.0f);
    }
};

// What the renderer may assume about the shapes that follow.
class SoShapeHints : public SoSubNode<SoShapeHints, SoNode> {
public:
    static constexpr const char* kClassName = "SoShapeHints";

    enum VertexOrdering : int32_t { UNKNOWN_ORDERING, CLOCKWISE, COUNTERCLOCKWISE };
    enum ShapeType : int32_t { UNKNOWN_SHAPE_TYPE, SOLID };
    enum FaceType : int32_t { UNKNOWN_FACE_TYPE, CONVEX };

    SoSFEnum vertexOrdering;
    SoSFEnum shapeType;
    SoSFEnum faceType;

    SoShapeHints() {
        addField("vertexOrdering", vertexOrdering, int32_t{UNKNOWN_ORDERING});
        addField("shapeType", shapeType, int32_t{UNKNOWN_SHAPE_TYPE});
        addField("faceType", faceType, int32_t{CONVEX});
    }
};

class SoDrawStyle : public SoSubNode<SoDrawStyle, SoNode> {
public:
    static constexpr const char* kClassName = "SoDrawStyle";

    SoSFFloat lineWidth;     // 0: the renderer's default width
    SoSFUShort linePattern;  // one bit per pixel, repeating

    SoDrawStyle() {
        addField("lineWidth", lineWidth, 0.0f);
        addField("linePattern", linePattern, uint16_t{0xffff});
    }
};

// Depth offset for coplanar geometry such as decals.
class SoPolygonOffset : public SoSubNode<SoPolygonOffset, SoNode> {
public:
    static constexpr const char* kClassName = "SoPolygonOffset";

    SoSFFloat factor;
    SoSFFloat units;

    SoPolygonOffset() {
        addField("factor", factor, 1.0f);
        addField("units", units, 1.0f);
    }
};

class SoTexture2 : public SoSubNode<SoTexture2, SoNode> {
public:
    static constexpr const char* kClassName = "SoTexture2";

    SoSFString filename;

    SoTexture2() { addField("filename", filename); }
};

// Clips the shapes that follow to the half-space the plane's normal points to.
class SoClipPlane : public SoSubNode<SoClipPlane, SoNode> {
public:
    static constexpr const char* kClassName = "SoClipPlane";

    SoSFPlane plane;
    SoSFBool on;

    SoClipPlane() {
        addField("plane", plane, SbPlane(SbVec3f(1.0f, 0.0f, 0.0f), 0.0f));
        addField("on", on, true);
    }
};
