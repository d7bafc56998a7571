#include "view/Effects.h"

#include <algorithm>
#include <cstddef>

namespace pv {

namespace {

void GrayScale(DisplayBuffer& buf) {
    for (int32_t r = 0; r < buf.height; ++r) {
        uint8_t* p = buf.Row(r);
        for (int32_t c = 0; c < buf.width; ++c, p += 3) {
            const unsigned g = (59u * p[1] + 30u * p[2] + 11u * p[0]) / 100u;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(g);
        }
    }
}

void HorizontalFlip(DisplayBuffer& buf) {
    const auto w = static_cast<size_t>(buf.width);
    for (int32_t r = 0; r < buf.height; ++r) {
        uint8_t* row = buf.Row(r);
        for (size_t i = 0; i < w / 2; ++i) {
            std::swap_ranges(row + 3 * i, row + 3 * i + 3, row + 3 * (w - 1 - i));
        }
    }
}

// Whole rows, padding included. Swapping in place needs no scratch row, so this step can
// no longer fail for want of memory.
void VerticalFlip(DisplayBuffer& buf) {
    for (int32_t r = 0; r < buf.height / 2; ++r) {
        std::swap_ranges(buf.Row(r), buf.Row(r) + buf.stride, buf.Row(buf.height - 1 - r));
    }
}

void Negative(DisplayBuffer& buf) {
    const size_t n = static_cast<size_t>(buf.stride) * static_cast<size_t>(buf.height);
    for (size_t i = 0; i < n; ++i) {
        buf.bytes[i] = static_cast<uint8_t>(255 - buf.bytes[i]);
    }
}

void Glass(DisplayBuffer& buf) {
    const size_t n = 3 * static_cast<size_t>(buf.width);
    for (int32_t r = 0; r < buf.height; ++r) {
        uint8_t* p = buf.Row(r);
        for (size_t i = 0; i < n; ++i) {
            p[i] = static_cast<uint8_t>((p[i] + 255u) / 2u);
        }
    }
}

// Counts bytes, not pixels, so the grey lands on a different channel from pixel to pixel.
void StippledGlass(DisplayBuffer& buf, uint8_t grey) {
    for (int32_t r = 0; r < buf.height; ++r) {
        uint8_t* p = buf.Row(r);
        for (size_t i = static_cast<size_t>(r) & 1u; i < buf.stride; i += 2) {
            p[i] = grey;
        }
    }
}

}  // namespace

void ApplyEffects(DisplayBuffer& buffer, const EffectFlags& effects, uint8_t grey) {
    if (buffer.IsEmpty() || !effects.Any()) {
        return;
    }
    if (effects.grayScale) {
        GrayScale(buffer);
    }
    if (effects.horizontalFlip) {
        HorizontalFlip(buffer);
    }
    if (effects.verticalFlip) {
        VerticalFlip(buffer);
    }
    if (effects.negative) {
        Negative(buffer);
    }
    if (effects.glass) {
        Glass(buffer);
    }
    if (effects.stippledGlass) {
        StippledGlass(buffer, grey);
    }
}

}  // namespace pv
