#pragma once

#include "SoFields.h"
#include "SoNode.h"
#include "SoSubNode.h"

// Free-form text carried along in the scene; it affects nothing.
class SoInfo : public SoSubNode<SoInfo, SoNode> {
public:
    static constexpr const char* kClassName = "SoInfo";

    SoSFString string;

    SoInfo() { addField("string", string, SbString("<Undefined info>")); }
};

// A name tag in the scene; it affects nothing.
class SoLabel : public SoSubNode<SoLabel, SoNode> {
public:
    static constexpr const char* kClassName = "SoLabel";

    SoSFName label;

    SoLabel() { addField("label", label, SbName("<Undefined label>")); }
};
