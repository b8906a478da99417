#include "FltRecordBoundingBox.h"

const char* const* FltRecordBoundingBox::labels() const
{
    return cornerLabels;
}
