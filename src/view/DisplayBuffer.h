// The visible part of the zoomed picture, ready for the window: 24-bit top-down rows
// (blue, green, red), each padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

}  // namespace pv
