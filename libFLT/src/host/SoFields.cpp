#include "SoFields.h"

#include "SoNode.h"

void SoFieldHolding<SoNode*>::retain(SoNode* node) {
    if (node) node->ref();
}

void SoFieldHolding<SoNode*>::release(SoNode* node) {
    if (node) node->unref();
}
