#pragma once

// A variable part of a record (vertex offsets, mask words) held in a
// vector: sized from the record's bytes while decoding, then described as
// one run, so that the same line decodes and encodes it.

#include <vector>

#include "FltFields.h"

// The values as one run of never-dumped fields.
template <class T>
void describeRun(FltFields& f, std::vector<T>& values)
{
    if (values.empty())
        return;
    FltValueRef run(values[0]);
    run.count = values.size();
    f.reserved(run);
}
