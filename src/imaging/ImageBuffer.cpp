#include "imaging/ImageBuffer.h"

#include <cstddef>

namespace pv {

uint32_t RowStride(int32_t bitsPerPixel, int32_t width) {
    // Unsigned arithmetic: the table's formulas wrap rather than overflow for widths the
    // readers never let through (they refuse anything beyond the decode budget first).
    auto w = static_cast<uint32_t>(width);
    switch (bitsPerPixel) {
    case 1: return ((w + 31) >> 3) & ~3u;
    case 4: return ((w + 7) >> 1) & ~3u;
    case 8: return (w + 3) & ~3u;
    case 16: return (2 * w + 3) & ~3u;
    case 24: return (3 * w + 3) & ~3u;
    case 32: return 4 * w;
    default: return w & ~3u;
    }
}

Bgr PixelAt(const ImageBuffer& image, int32_t x, int32_t y) {
    const uint8_t* row = image.pixels + static_cast<size_t>(image.stride) * static_cast<size_t>(y);
    auto ux = static_cast<size_t>(x);
    unsigned index = 0;
    switch (image.bitsPerPixel) {
    case 24:
    case 32: {
        const uint8_t* p = row + ux * (image.bitsPerPixel == 24 ? 3 : 4);
        return {p[0], p[1], p[2]};
    }
    case 8: index = row[ux]; break;
    case 4: index = (ux & 1) != 0 ? row[ux >> 1] & 0x0Fu : static_cast<unsigned>(row[ux >> 1]) >> 4; break;
    case 1: index = (static_cast<unsigned>(row[ux >> 3]) >> (7 - (ux & 7))) & 1u; break;
    default: return {};
    }
    if (image.palette == nullptr) {
        auto v = static_cast<uint8_t>(index);
        return {v, v, v};
    }
    const uint8_t* entry = image.palette + 4 * size_t{index};
    return {entry[0], entry[1], entry[2]};
}

}  // namespace pv
