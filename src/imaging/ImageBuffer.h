// The one in-memory form of a decoded picture, and the program's row-padding rule.
#pragma once

#include <cstdint>

namespace pv {

struct Bgr {
    uint8_t b = 0;
    uint8_t g = 0;
    uint8_t r = 0;

    friend bool operator==(const Bgr&, const Bgr&) = default;
};

// Rows are top-down. 24-bit pixels are blue, green, red; 32-bit add an unused byte;
// 1/4/8-bit pixels are palette indices (4-bit: left pixel in the high nibble; 1-bit:
// left pixel in the most significant bit). Memory belongs to the reader that produced
// it unless ownsPixels is set.
struct ImageBuffer {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 24;
    uint32_t stride = 0;
    // Blue, green, red, 0 per entry. For 1, 4 and 8 bits it always holds 2^bitsPerPixel
    // entries, so any index a pixel can hold is inside it.
    const uint8_t* palette = nullptr;
    uint8_t* pixels = nullptr;
    bool ownsPixels = false;

    [[nodiscard]] bool HasPicture() const { return pixels != nullptr && width > 0 && height > 0; }
};

// Bytes per row for a bit depth and width, rows padded to 4 bytes.
uint32_t RowStride(int32_t bitsPerPixel, int32_t width);

// The colour of one pixel whatever the depth (through the palette for 1, 4 and 8 bits).
Bgr PixelAt(const ImageBuffer& image, int32_t x, int32_t y);

}  // namespace pv
