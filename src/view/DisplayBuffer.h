// The visible part of the zoomed picture, ready for the window: 24-bit top-down rows
// (blue, green, red), each padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/ImageBuffer.h"

namespace pv {

struct DisplayBuffer {
    int32_t width = 0;   // visible width
    int32_t height = 0;  // visible height; the bitmap header carries it negated (top-down)
    uint32_t stride = 0;
    std::vector<uint8_t> bytes;

    [[nodiscard]] bool IsEmpty() const { return width <= 0 || height <= 0; }

    [[nodiscard]] uint8_t* Row(int32_t r) {
        return bytes.data() + static_cast<size_t>(stride) * static_cast<size_t>(r);
    }

    [[nodiscard]] const uint8_t* Row(int32_t r) const {
        return bytes.data() + static_cast<size_t>(stride) * static_cast<size_t>(r);
    }
};

// The shown rows as a picture the writers take, borrowing the buffer's bytes: it must
// outlive the result.
[[nodiscard]] inline ImageBuffer BorrowAsImage(const DisplayBuffer& d) {
    ImageBuffer out;
    out.width = d.width;
    out.height = d.height;
    out.bitsPerPixel = 24;
    out.stride = d.stride;
    out.pixels = const_cast<uint8_t*>(d.bytes.data());
    return out;
}

}  // namespace pv
