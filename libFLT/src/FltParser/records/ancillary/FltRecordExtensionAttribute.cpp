#include "FltRecordExtensionAttribute.h"

void FltRecordExtensionAttribute::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.text("idSite: ", idSite, sizeof idSite);
    f.reserved(reserved);
    f.number("revision: ", revision);
    f.number("recordCode: ", recordCode);
    if (FltCursor* cursor = f.decoding())
        extendedData.resize(cursor->remaining());
    f.reservedBytes(extendedData.data(), extendedData.size());
}
