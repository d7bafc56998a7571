// Shared by the reader fuzz targets: reads every byte of a decoded picture, so rows that
// point outside the reader's memory show up under AddressSanitizer, and checks the shape.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>

#include "imaging/ImageBuffer.h"

namespace pv::fuzz {

// Pictures whose header asks for more than 1.5 MiB of rows are skipped: the budget check
// itself has unit tests, filling hundreds of megabytes under the sanitizers would slow the
// search for real faults to a crawl, and blocks of 2 MiB and more come from the system
// rather than the sanitizer's allocator, so overruns past them would go unseen.
inline bool TooLargeForFuzzing(int64_t width, int64_t height) {
    if (width < 0) {
        width = -width;
    }
    if (height < 0) {
        height = -height;
    }
    return width > (int64_t{1} << 26) || height > (int64_t{1} << 26) || 3 * width * height > (int64_t{3} << 19);
}

inline uint32_t LoadU32BE(std::span<const uint8_t> b, size_t off) {
    if (off > b.size() || b.size() - off < 4) {
        return 0;
    }
    return uint32_t{b[off]} << 24 | uint32_t{b[off + 1]} << 16 | uint32_t{b[off + 2]} << 8 | b[off + 3];
}

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
