#include "FltRecordBoundingVolumeCenter.h"

const char* const* FltRecordBoundingVolumeCenter::labels() const
{
    static const char* const names[] = {"XcoordinateCenter: ", "YcoordinateCenter: ",
                                        "ZcoordinateCenter: "};
    return names;
}
