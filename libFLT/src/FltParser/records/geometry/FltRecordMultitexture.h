#pragma once

#include "FltRecord.h"

// The extra texture layers of the face it follows. Only the layers named in
// the attribute mask are stored, packed one after the other.
class FltRecordMultitexture : public AncillaryFltRecord {
public:
    using AncillaryFltRecord::AncillaryFltRecord;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMultitexture>; }

    struct Layer {
        uint16_t texture = 0;
        uint16_t effect = 0;
        uint16_t mapping = 0;
        uint16_t data = 0;
    };
    static constexpr int layerSlots = 8;

    int32_t attributeMask = 0;
    Layer layers[layerSlots];

    // Layer n (0 to 7) is present when bit n of the mask is set and the
    // record's bytes hold it.
    bool isLayerPresent(int n) const
    {
        return n >= 0 && n < layerSlots && testByteBit(presentLayers, n);
    }

protected:
    const char* getTitle() const override { return "\n MULTI TEXTURE RECORD "; }
    void describe(FltFields& f) override;

private:
    uint8_t presentLayers = 0;
};
