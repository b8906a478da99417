#include "FltRecordMultitexture.h"

void FltRecordMultitexture::describe(FltFields& f)
{
    f.hex("attributeMask: ", attributeMask);

    FltCursor* cursor = f.decoding();
    if (cursor)
        presentLayers = 0;
    for (int n = 0; n < layerSlots; ++n) {
        if (cursor) {
            if (!testBit(static_cast<uint32_t>(attributeMask), n))
                continue;
            // A mask naming more layers than the record holds gets only the
            // whole layers that are there.
            const std::size_t layerBytes = 4 * sizeof(uint16_t);
            if (cursor->remaining() < layerBytes) {
                cursor->skip(layerBytes);
                break;
            }
            presentLayers |= static_cast<uint8_t>(1u << n);
        } else if (f.encoding() ? !testBit(static_cast<uint32_t>(attributeMask), n)
                                : !isLayerPresent(n)) {
            continue;
        }
        if (FltDumpWriter* out = f.dumping())
            (*out << "layer[" << n << "]: ").endl();
        Layer& layer = layers[n];
        f.number("  texture: ", layer.texture);
        f.number("   effect: ", layer.effect);
        f.number("  mapping: ", layer.mapping);
        f.number("     data: ", layer.data);
    }
}
