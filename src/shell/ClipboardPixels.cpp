#include "shell/ClipboardPixels.h"

#include <cstring>
#include <new>

#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"

namespace pv {

std::vector<uint8_t> PackForClipboard(const DisplayBuffer& shown) {
    if (shown.IsEmpty()) {
        return {};
    }
    const auto w = static_cast<size_t>(shown.width);
    const std::optional<size_t> size = CheckedMul(w, static_cast<size_t>(shown.height), 4);
    if (!size || *size > DecodeBudget()) {
        return {};
    }
    try {
        std::vector<uint8_t> out(*size, 0);
        for (int32_t r = 0; r < shown.height; ++r) {
            const uint8_t* src = shown.Row(r);
            uint8_t* dst = out.data() + 4 * w * static_cast<size_t>(r);
            for (size_t c = 0; c < w; ++c) {
                std::memcpy(dst + 4 * c, src + 3 * c, 3);
            }
        }
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

Status UnpackClipboardBits(int32_t width,
                           int32_t height,
                           int32_t widthBytes,
                           int32_t bitsPerPixel,
                           std::span<const uint8_t> bits,
                           HeldPicture& out) {
    if (bitsPerPixel < 24) {
        return Status::Unsupported;
    }
    if (width <= 0 || height <= 0 || widthBytes <= 0 || bitsPerPixel % 8 != 0) {
        return Status::BadHeader;
    }
    const auto bytesPerPixel = static_cast<size_t>(bitsPerPixel / 8);
    const std::optional<size_t> used = CheckedMul(static_cast<size_t>(width), bytesPerPixel);
    const std::optional<size_t> all = CheckedMul(static_cast<size_t>(widthBytes), static_cast<size_t>(height));
    if (!used || *used > static_cast<size_t>(widthBytes) || !all || *all > bits.size()) {
        return Status::BadHeader;
    }
    const size_t size = Budgeted24BitSize(width, height);
    if (size == 0) {
        return Status::TooLarge;
    }
    HeldPicture picture;
    picture.width = width;
    picture.height = height;
    try {
        picture.pixels.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return Status::OutOfMemory;
    }
    const size_t stride = picture.Stride();
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* src = bits.data() + static_cast<size_t>(widthBytes) * static_cast<size_t>(r);
        uint8_t* dst = picture.pixels.data() + stride * static_cast<size_t>(r);
        for (int32_t c = 0; c < width; ++c) {
            std::memcpy(dst + 3 * static_cast<size_t>(c), src + bytesPerPixel * static_cast<size_t>(c), 3);
        }
    }
    out = std::move(picture);
    return Status::Ok;
}

}  // namespace pv
