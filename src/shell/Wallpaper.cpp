#include "shell/Wallpaper.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/CheckedMath.h"

namespace pv {

namespace {

int32_t TruncProduct(int32_t n, float f) {
    return static_cast<int32_t>(static_cast<double>(n) * static_cast<double>(f));
}

void PutLe(uint8_t* at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

void CopyPixel(const ImageBuffer& source, int32_t x, int32_t y, uint8_t* dst) {
    if (source.bitsPerPixel == 24) {
        std::memcpy(dst, source.pixels + size_t{source.stride} * static_cast<size_t>(y) + 3 * static_cast<size_t>(x),
                    3);
        return;
    }
    const Bgr p = PixelAt(source, x, y);
    dst[0] = p.b;
    dst[1] = p.g;
    dst[2] = p.r;
}

}  // namespace

Status MakeWallpaperPreview(const ImageBuffer& source, ClientSize box, WallpaperPreview& out) {
    if (!source.HasPicture() || box.width < 5 || box.height < 5) {
        return Status::BadHeader;
    }
    WallpaperPreview p;
    float step = 1.0f;
    if (source.width < box.width - 2 && source.height < box.height - 2) {
        p.width = source.width;
        p.height = source.height;
    } else {
        const float f = std::min(static_cast<float>(box.width - 4) / static_cast<float>(source.width),
                                 static_cast<float>(box.height - 4) / static_cast<float>(source.height));
        p.width = std::max(1, TruncProduct(source.width, f));
        p.height = std::max(1, TruncProduct(source.height, f));
        step = 1.0f / f;
    }
    const size_t stride = RowStride(24, p.width);
    try {
        p.pixels.assign(stride * static_cast<size_t>(p.height), 0);
    } catch (const std::bad_alloc&) {
        return Status::OutOfMemory;
    }
    for (int32_t r = 0; r < p.height; ++r) {
        const int32_t sy = std::min(TruncProduct(r, step), source.height - 1);
        uint8_t* dst = p.pixels.data() + stride * static_cast<size_t>(r);
        for (int32_t c = 0; c < p.width; ++c) {
            CopyPixel(source, std::min(TruncProduct(c, step), source.width - 1), sy, dst + 3 * static_cast<size_t>(c));
        }
    }
    out = std::move(p);
    return Status::Ok;
}

Point PreviewOffset(ClientSize box, int32_t pictureWidth, int32_t pictureHeight) {
    return {(box.width - pictureWidth) / 2, (box.height - pictureHeight) / 2};
}

Rect InitialSelection(ClientSize screen, Point offset, int32_t pictureWidth, int32_t pictureHeight) {
    if (screen.width <= 0 || screen.height <= 0) {
        return {offset.x, offset.y, offset.x + pictureWidth, offset.y + pictureHeight};
    }
    const int64_t sw = screen.width;
    const int64_t sh = screen.height;
    if (sw * pictureHeight >= int64_t{pictureWidth} * sh) {
        const auto h = static_cast<int32_t>(sh * pictureWidth / sw);
        const int32_t top = offset.y + (pictureHeight - h) / 2;
        return {offset.x, top, offset.x + pictureWidth, top + h};
    }
    const auto w = static_cast<int32_t>(sw * pictureHeight / sh);
    const int32_t left = offset.x + (pictureWidth - w) / 2;
    return {left, offset.y, left + w, offset.y + pictureHeight};
}

Rect SlideSelection(const Rect& atPress,
                    int32_t dx,
                    int32_t dy,
                    Point offset,
                    int32_t pictureWidth,
                    int32_t pictureHeight) {
    Rect r = atPress;
    if (atPress.left + dx >= offset.x && atPress.right + dx <= offset.x + pictureWidth) {
        r.left += dx;
        r.right += dx;
    }
    if (atPress.top + dy >= offset.y && atPress.bottom + dy <= offset.y + pictureHeight) {
        r.top += dy;
        r.bottom += dy;
    }
    return r;
}

Rect WallpaperCut(const Rect& selection,
                  Point offset,
                  int32_t pictureWidth,
                  int32_t pictureHeight,
                  int32_t sourceWidth,
                  int32_t sourceHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        return {};
    }
    auto scale = [](int64_t v, int32_t to, int32_t from) { return static_cast<int32_t>(v * to / from); };
    const int32_t left = std::clamp(scale(selection.left - offset.x, sourceWidth, pictureWidth), 0, sourceWidth - 1);
    const int32_t top = std::clamp(scale(selection.top - offset.y, sourceHeight, pictureHeight), 0, sourceHeight - 1);
    const int32_t width =
            std::clamp(scale(selection.right - selection.left, sourceWidth, pictureWidth), 1, sourceWidth - left);
    const int32_t height =
            std::clamp(scale(selection.bottom - selection.top, sourceHeight, pictureHeight), 1, sourceHeight - top);
    return {left, top, left + width, top + height};
}

Status WriteWallpaperBmp(const ImageBuffer& source, const Rect& cut, const ByteSink& sink) {
    if (!source.HasPicture() || cut.IsEmpty() || cut.left < 0 || cut.top < 0 || cut.right > source.width ||
        cut.bottom > source.height) {
        return Status::BadHeader;
    }
    const int32_t w = cut.right - cut.left;
    const int32_t h = cut.bottom - cut.top;
    const size_t stride = RowStride(24, w);
    const std::optional<size_t> pixels = CheckedMul(stride, static_cast<size_t>(h));
    if (!pixels || *pixels > UINT32_MAX - 54) {
        return Status::TooLarge;
    }
    uint8_t header[54] = {'B', 'M'};
    PutLe(header + 2, static_cast<uint32_t>(*pixels + 54), 4);
    PutLe(header + 10, 54, 4);
    PutLe(header + 14, 40, 4);
    PutLe(header + 18, static_cast<uint32_t>(w), 4);
    PutLe(header + 22, static_cast<uint32_t>(h), 4);
    PutLe(header + 26, 1, 2);
    PutLe(header + 28, 24, 2);
    PutLe(header + 34, static_cast<uint32_t>(*pixels), 4);
    if (!sink(header)) {
        return Status::IoError;
    }
    std::vector<uint8_t> row;
    try {
        row.assign(stride, 0);
    } catch (const std::bad_alloc&) {
        return Status::OutOfMemory;
    }
    for (int32_t y = cut.bottom - 1; y >= cut.top; --y) {
        for (int32_t x = 0; x < w; ++x) {
            CopyPixel(source, cut.left + x, y, row.data() + 3 * static_cast<size_t>(x));
        }
        if (!sink(row)) {
            return Status::IoError;
        }
    }
    return Status::Ok;
}

}  // namespace pv
