// Pictures made in memory for the view's tests and benchmark.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "imaging/ImageBuffer.h"

namespace pv::test {

struct TestImage {
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
    ImageBuffer image;
};

// Random pixels (and a random palette for 1, 4 and 8 bits) of the given depth.
inline TestImage MakeRandomImage(int32_t width, int32_t height, int32_t bits, uint32_t seed) {
    TestImage t;
    std::mt19937 rng(seed);
    t.image.width = width;
    t.image.height = height;
    t.image.bitsPerPixel = bits;
    t.image.stride = RowStride(bits, width);
    t.pixels.resize(static_cast<size_t>(t.image.stride) * static_cast<size_t>(height));
    for (uint8_t& b : t.pixels) {
        b = static_cast<uint8_t>(rng());
    }
    if (bits <= 8) {
        t.palette.resize(4u << bits);
        for (size_t i = 0; i < t.palette.size(); ++i) {
            t.palette[i] = (i % 4 == 3) ? 0 : static_cast<uint8_t>(rng());
        }
        t.image.palette = t.palette.data();
    }
    t.image.pixels = t.pixels.data();
    return t;
}

}  // namespace pv::test
