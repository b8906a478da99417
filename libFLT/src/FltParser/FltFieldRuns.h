#pragma once

// Variable parts of a record (vertex offsets, mask words, pool vertices)
// held in a vector: sized from the bytes while decoding, then described as
// one run, so that the same lines decode and encode them.

#include <cstddef>
#include <vector>

#include "FltFields.h"

// While decoding, makes `values` as long as `count` runs of `bytesEach`
// bytes that the record still holds (never more than `count`).
template <class T>
void sizeRunToRecord(FltFields& f, std::vector<T>& values, std::size_t count, std::size_t bytesEach)
{
    if (FltCursor* cursor = f.decoding()) {
        const std::size_t held = bytesEach == 0 ? 0 : cursor->remaining() / bytesEach;
        values.assign(count < held ? count : held, T());
    }
}

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
