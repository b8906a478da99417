#include "FltRecordExtensionAttribute.h"

void FltRecordExtensionAttribute::describe(FltFields& f)
{
    f.text("idASCII: ", idASCII, sizeof idASCII);
    f.text("idSite: ", idSite, sizeof idSite);
    f.reserved(reserved);
    f.number("revision: ", revision);
    f.number("recordCode: ", recordCode);
    if (FltCursor* cursor = f.decoding()) {
        const std::size_t size = cursor->remaining();
        const unsigned char* start = cursor->take(size);
        extendedData.assign(start, start + size);
    }
}
