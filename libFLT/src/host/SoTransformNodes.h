#pragma once

#include "SbMatrix.h"
#include "SbVec.h"
#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Both transform nodes apply their matrix before everything already in
// effect, so nested transforms compose from the inside out.
class SoScale : public SoSubNode<SoScale, SoNode> {
public:
    static constexpr const char* kClassName = "SoScale";

    SoSFVec3f scaleFactor;

    SoScale() { addField("scaleFactor", scaleFactor, SbVec3f(1.0f, 1.0f, 1.0f)); }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};

class SoMatrixTransform : public SoSubNode<SoMatrixTransform, SoNode> {
public:
    static constexpr const char* kClassName = "SoMatrixTransform";

    SoSFMatrix matrix;

    SoMatrixTransform() { addField("matrix", matrix, SbMatrix::identity()); }

    void getBoundingBox(SoGetBoundingBoxAction* action) override;
};
