#include "imaging/BmpWriter.h"

#include <algorithm>
#include <cstddef>

namespace pv {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    Put16(out, at, v & 0xFFFFu);
    Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<uint8_t> Encode24BitBmp(const ImageBuffer& image) {
    const uint32_t stride = RowStride(24, image.width);
    const size_t imageSize = size_t{stride} * static_cast<size_t>(image.height);
    std::vector<uint8_t> out(54 + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(54 + imageSize));
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(image.width));
    Put32(out, 22, static_cast<uint32_t>(image.height));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, static_cast<uint32_t>(imageSize));
    for (int32_t i = 0; i < image.height; ++i) {
        uint8_t* dst = out.data() + 54 + size_t{stride} * static_cast<size_t>(i);
        const int32_t y = image.height - 1 - i;
        if (image.bitsPerPixel == 24) {
            const uint8_t* src = image.pixels + size_t{image.stride} * static_cast<size_t>(y);
            std::copy(src, src + 3 * static_cast<size_t>(image.width), dst);
            continue;
        }
        for (int32_t x = 0; x < image.width; ++x) {
            Bgr p = PixelAt(image, x, y);
            dst[3 * static_cast<size_t>(x)] = p.b;
            dst[3 * static_cast<size_t>(x) + 1] = p.g;
            dst[3 * static_cast<size_t>(x) + 2] = p.r;
        }
    }
    return out;
}

}  // namespace pv
