#include "SoTransformNodes.h"

#include "SoGetBoundingBoxAction.h"

void SoScale::getBoundingBox(SoGetBoundingBoxAction* action) {
    SbMatrix scale;
    scale.setScale(scaleFactor.getValue());
    action->concatMatrix(scale);
}

void SoMatrixTransform::getBoundingBox(SoGetBoundingBoxAction* action) {
    action->concatMatrix(matrix.getValue());
}
