#include "FltToVeldra.h"

#include <string>

#include "FltInput.h"
#include "FltParser.h"
#include "FltStatisticsTool.h"

void FltToVeldra::writeStatistics()
{
    if (!fltParser || !fltParser->getInput())
        return;
    const std::string fltFileName = fltParser->getInput()->getFileName();
    const std::string statFileName = fltFileName + ".stat";
    FltStatisticsTool tool;
    tool.setFltFileName(fltFileName.c_str());
    tool.setStatFileName(statFileName.c_str());
    // A file that cannot be created leaves nothing behind.
    if (!tool.createStatFile())
        return;
    tool.setRecords(&fltParser->getRecords());
    tool.write();
}
