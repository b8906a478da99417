// Reads an OpenFlight database's records and writes them to a new file.

#include <iostream>
#include <string>

#include "FltReencode.h"
#include "FltWriteRecords.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: flt_rewrite IN OUT" << std::endl;
        return 2;
    }
    const FltReencoded records = reencodeFltFile(argv[1]);
    std::string reason;
    if (!records.openFlight || !writeFltBytes(argv[2], records.bytes, &reason)) {
        std::cerr << (records.openFlight ? reason : std::string(argv[1]) + " is not OpenFlight") << std::endl;
        return 1;
    }
    return 0;
}
