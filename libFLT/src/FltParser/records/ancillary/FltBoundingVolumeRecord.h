#pragma once

#include <cstddef>

#include "FltRecord.h"

// The shape every bounding record shares: a reserved word (the old bounding
// box has none), then a few labelled values of one type. A concrete volume
// only names its values (an enum of indices into `values`) and their labels.
template <class Value, std::size_t Count, bool HasReservedWord = true>
class FltBoundingVolumeRecord : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;

    int32_t reserved = 0;
    Value values[Count] = {};

protected:
    // One label per value, in file order.
    virtual const char* const* labels() const = 0;

    void describe(FltFields& f) override
    {
        if (HasReservedWord)
            f.reserved(reserved);
        const char* const* names = labels();
        for (std::size_t i = 0; i < Count; ++i)
            f.number(names[i], values[i]);
    }
};

// Both boxes, old and new, name and label their corners alike.
struct FltBoxCorners {
    // Indices into `values`, in file order.
    enum {
        XcoordinateLowestCorner,
        YcoordinateLowestCorner,
        ZcoordinateLowestCorner,
        XcoordinateHighestCorner,
        YcoordinateHighestCorner,
        ZcoordinateHighestCorner
    };
    static constexpr const char* cornerLabels[6] = {
        "XcoordinateLowestCorner: ",  "YcoordinateLowestCorner: ",  "ZcoordinateLowestCorner: ",
        "XcoordinateHighestCorner: ", "YcoordinateHighestCorner: ", "ZcoordinateHighestCorner: "};
};
