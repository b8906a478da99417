#include "FltStatisticsRequest.h"

namespace {
bool statisticsRequested = false;
}

void setFltStatisticsRequested(bool requested)
{
    statisticsRequested = requested;
}

bool isFltStatisticsRequested()
{
    return statisticsRequested;
}
