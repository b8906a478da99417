#include "FltRecordOldBoundingBox.h"

const char* const* FltRecordOldBoundingBox::labels() const
{
    return cornerLabels;
}
