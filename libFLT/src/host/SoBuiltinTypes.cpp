#include "SoBuiltinTypes.h"

#include "Veldra.h"

void registerBuiltinNodeTypes() {
    const SoType types[] = {
        SoGroup::getClassTypeId(),           SoSeparator::getClassTypeId(),
        SoSwitch::getClassTypeId(),          SoLOD::getClassTypeId(),
        SoInfo::getClassTypeId(),            SoLabel::getClassTypeId(),
        SoMaterial::getClassTypeId(),        SoMaterialBinding::getClassTypeId(),
        SoNormalBinding::getClassTypeId(),   SoTextureCoordinateBinding::getClassTypeId(),
        SoShapeHints::getClassTypeId(),      SoScale::getClassTypeId(),
        SoMatrixTransform::getClassTypeId(), SoClipPlane::getClassTypeId(),
        SoPolygonOffset::getClassTypeId(),   SoDrawStyle::getClassTypeId(),
        SoTexture2::getClassTypeId(),        SoVertexProperty::getClassTypeId(),
        SoIndexedFaceSet::getClassTypeId(),
    };
    (void)types;
}
