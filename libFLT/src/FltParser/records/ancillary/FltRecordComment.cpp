#include "FltRecordComment.h"

void FltRecordComment::describe(FltFields& f)
{
    bodyText(f, "textDescription: ", textDescription);
}
