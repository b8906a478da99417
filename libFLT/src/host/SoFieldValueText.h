#pragma once

#include <cstdint>
#include <ostream>

#include "SbMatrix.h"
#include "SbName.h"
#include "SbPlane.h"
#include "SbString.h"
#include "SbVec.h"

class SoNode;

// Text form of one field value. Unsigned values are bit patterns or packed
// colors and read best in hex; strings and names are quoted and escaped.
void writeFieldValue(std::ostream& out, int32_t value);
void writeFieldValue(std::ostream& out, uint16_t value);
void writeFieldValue(std::ostream& out, uint32_t value);
void writeFieldValue(std::ostream& out, float value);
void writeFieldValue(std::ostream& out, bool value);
void writeFieldValue(std::ostream& out, const SbVec2f& value);
void writeFieldValue(std::ostream& out, const SbVec3f& value);
void writeFieldValue(std::ostream& out, const SbString& value);
void writeFieldValue(std::ostream& out, const SbName& value);
void writeFieldValue(std::ostream& out, const SbPlane& value);
void writeFieldValue(std::ostream& out, const SbMatrix& value);
// A referenced node is written in full, or as NULL.
void writeFieldValue(std::ostream& out, const SoNode* value);
