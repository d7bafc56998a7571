// Shared by the reader fuzz targets: reads every byte of a decoded picture, so rows that
// point outside the reader's memory show up under AddressSanitizer, and checks the shape.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "imaging/ImageBuffer.h"

namespace pv::fuzz {

inline void TouchPicture(const ImageBuffer& img) {
    if (!img.HasPicture() || img.stride < RowStride(img.bitsPerPixel, img.width)) {
        std::abort();
    }
    unsigned sum = 0;
    for (int32_t y = 0; y < img.height; ++y) {
        const uint8_t* row = img.pixels + static_cast<size_t>(img.stride) * static_cast<size_t>(y);
        for (uint32_t i = 0; i < img.stride; ++i) {
            sum += row[i];
        }
    }
    // Keeps the loop from being optimised away.
    volatile unsigned sink = sum;
    (void)sink;
}

}  // namespace pv::fuzz
