// A deliberately plain reading of the view's scaling arithmetic: one pixel at a time,
// every sample through PixelAt, no tables. Tests and the benchmark hold the renderer to
// it byte for byte.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/ImageBuffer.h"

namespace pv::test {

struct ReferenceFrame {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t stride = 0;
    std::vector<uint8_t> bytes;
};

inline ReferenceFrame ReferenceRender(const ImageBuffer& img,
                                      int32_t zoomedW,
                                      int32_t zoomedH,
                                      int32_t permille,
                                      int32_t filter,
                                      int32_t clientW,
                                      int32_t clientH,
                                      int32_t hs,
                                      int32_t vs) {
    ReferenceFrame f;
    f.width = std::min(zoomedW, clientW + 1);
    f.height = std::min(zoomedH, clientH + 1);
    if (f.width <= 0 || f.height <= 0) {
        return f;
    }
    f.stride = static_cast<uint32_t>((f.width * 24 + 31) / 32 * 4);
    f.bytes.assign(static_cast<size_t>(f.stride) * static_cast<size_t>(f.height), 0);
    auto put = [&](int32_t c, int32_t r, int k, uint8_t v) {
        f.bytes[static_cast<size_t>(r) * f.stride + 3 * static_cast<size_t>(c) + static_cast<size_t>(k)] = v;
    };
    auto channel = [](Bgr p, int k) { return k == 0 ? p.b : k == 1 ? p.g : p.r; };
    const int32_t w = img.width;
    const int32_t h = img.height;

    if (permille == 1000) {
        for (int32_t r = 0; r < f.height; ++r) {
            for (int32_t c = 0; c < f.width; ++c) {
                const Bgr p = PixelAt(img, std::min(hs + c, w - 1), std::min(vs + r, h - 1));
                for (int k = 0; k < 3; ++k) {
                    put(c, r, k, channel(p, k));
                }
            }
        }
        return f;
    }
    const float xs = static_cast<float>(w) / static_cast<float>(zoomedW);
    const float ys = static_cast<float>(h) / static_cast<float>(zoomedH);
    float fy = static_cast<float>(vs) * ys;
    if (filter == 2 && zoomedW >= w) {
        for (int32_t r = 0; r < f.height; ++r, fy += ys) {
            const int32_t y0 = std::min(static_cast<int32_t>(fy), h - 1);
            const int32_t y1 = std::min(y0 + 1, h - 1);
            const float dy = fy - static_cast<float>(y0);
            float fx = static_cast<float>(hs) * xs;
            for (int32_t c = 0; c < f.width;) {
                const int32_t x0 = std::min(static_cast<int32_t>(fx), w - 1);
                const int32_t x1 = std::min(x0 + 1, w - 1);
                float dx = fx - static_cast<float>(x0);
                const Bgr p[4] = {PixelAt(img, x0, y0), PixelAt(img, x0, y1), PixelAt(img, x1, y0),
                                  PixelAt(img, x1, y1)};
                float left[3];
                float right[3];
                float value[3];
                for (int k = 0; k < 3; ++k) {
                    const auto at = [&](int i) { return static_cast<float>(channel(p[i], k)); };
                    left[k] = at(0) + (at(1) - at(0)) * dy;
                    right[k] = at(2) + (at(3) - at(2)) * dy;
                    value[k] = left[k] + (right[k] - left[k]) * dx;
                    put(c, r, k, static_cast<uint8_t>(static_cast<int>(value[k])));
                }
                ++c;
                while (dx + xs < 1.0f && c < f.width) {
                    for (int k = 0; k < 3; ++k) {
                        value[k] += (right[k] - left[k]) * xs;
                        put(c, r, k, static_cast<uint8_t>(static_cast<int>(value[k])));
                    }
                    dx += xs;
                    fx += xs;
                    ++c;
                }
                fx += xs;
            }
        }
        return f;
    }
    for (int32_t r = 0; r < f.height; ++r, fy += ys) {
        float fx = static_cast<float>(hs) * xs;
        for (int32_t c = 0; c < f.width; ++c, fx += xs) {
            const Bgr p =
                    PixelAt(img, std::min(static_cast<int32_t>(fx), w - 1), std::min(static_cast<int32_t>(fy), h - 1));
            for (int k = 0; k < 3; ++k) {
                put(c, r, k, channel(p, k));
            }
        }
    }
    return f;
}

}  // namespace pv::test
