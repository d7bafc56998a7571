#include "view/ViewRenderer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "imaging/RowCopyLock.h"
#include "view/Effects.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pv {

namespace {

// Integer times float, as a position or size: the product is taken in double precision
// and truncated toward zero.
float StartCoordinate(int32_t position, float step) {
    return static_cast<float>(static_cast<double>(position) * static_cast<double>(step));
}

int32_t Trunc(float v) {
    return static_cast<int32_t>(v);
}

const uint8_t* SourceRow(const ImageBuffer& image, int32_t y) {
    return image.pixels + static_cast<size_t>(image.stride) * static_cast<size_t>(y);
}

unsigned PaletteIndex(const uint8_t* row, int32_t bits, uint32_t x) {
    switch (bits) {
    case 8: return row[x];
    case 4: return (x & 1u) != 0 ? row[x >> 1] & 0x0Fu : static_cast<unsigned>(row[x >> 1]) >> 4;
    default: return (static_cast<unsigned>(row[x >> 3]) >> (7 - (x & 7u))) & 1u;
    }
}

bool IsPaletteDepth(int32_t bits) {
    return bits == 1 || bits == 4 || bits == 8;
}

int32_t BytesPerPixel(int32_t bits) {
    return bits / 8;
}

void Put3(uint8_t* dst, const uint8_t* src) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
}

}  // namespace

ClientSize VisibleSize(int32_t zoomedWidth, int32_t zoomedHeight, ClientSize client) {
    return {std::min(zoomedWidth, client.width + 1), std::min(zoomedHeight, client.height + 1)};
}

ClientSize ImageOffset(int32_t zoomedWidth, int32_t zoomedHeight, ClientSize client) {
    return {zoomedWidth <= client.width ? (client.width - zoomedWidth) / 2 : 0,
            zoomedHeight <= client.height ? (client.height - zoomedHeight) / 2 : 0};
}

RenderPath ChooseRenderPath(int32_t zoomPermille, int32_t filter, int32_t zoomedWidth, int32_t imageWidth) {
    if (zoomPermille == 1000) {
        return RenderPath::DirectCopy;
    }
    if (filter == kFilterBilinear && zoomedWidth >= imageWidth) {
        return RenderPath::Bilinear;
    }
    return RenderPath::NearestNeighbour;
}

bool ViewRenderer::PrepareBuffer(ClientSize visible) {
    display_.width = visible.width;
    display_.height = visible.height;
    display_.stride = RowStride(24, visible.width);
    const size_t size = static_cast<size_t>(display_.stride) * static_cast<size_t>(visible.height);
    // The buffer is kept while its size stays: nothing on screen depends on reallocating
    // it, and touching fresh memory on every paint is what costs.
    if (display_.bytes.size() != size) {
        display_.bytes.assign(size, 0);
    }
    const size_t used = 3 * static_cast<size_t>(visible.width);
    if (used != display_.stride) {
        for (int32_t r = 0; r < visible.height; ++r) {
            std::memset(display_.Row(r) + used, 0, display_.stride - used);
        }
    }
    return true;
}

void ViewRenderer::BuildPalette(const ImageBuffer& image) {
    const uint32_t entries = 1u << image.bitsPerPixel;
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t* e = palette_ + 4 * i;
        if (image.palette != nullptr) {
            std::memcpy(e, image.palette + 4 * i, 4);
        } else {
            e[0] = e[1] = e[2] = static_cast<uint8_t>(i);
        }
        e[3] = 0;
    }
}

bool ViewRenderer::Render(const RenderRequest& rq) {
    const ImageBuffer* image = rq.image;
    const bool drawable =
            image != nullptr && image->HasPicture() &&
            (IsPaletteDepth(image->bitsPerPixel) || image->bitsPerPixel == 24 || image->bitsPerPixel == 32);
    const ClientSize visible = VisibleSize(rq.zoomedWidth, rq.zoomedHeight, rq.client);
    if (!drawable || visible.width <= 0 || visible.height <= 0) {
        display_.width = display_.height = 0;
        display_.stride = 0;
        return false;
    }
    PrepareBuffer(visible);
    if (IsPaletteDepth(image->bitsPerPixel)) {
        BuildPalette(*image);
    }
    const float xs = rq.givenSteps ? rq.xStep : static_cast<float>(image->width) / static_cast<float>(rq.zoomedWidth);
    const float ys = rq.givenSteps ? rq.yStep : static_cast<float>(image->height) / static_cast<float>(rq.zoomedHeight);
    const RenderPath path =
            rq.givenSteps ? (rq.filter == kFilterBilinear ? RenderPath::Bilinear : RenderPath::NearestNeighbour)
                          : ChooseRenderPath(rq.zoomPermille, rq.filter, rq.zoomedWidth, image->width);
    switch (path) {
    case RenderPath::DirectCopy: RenderDirect(rq); break;
    case RenderPath::NearestNeighbour: RenderNearest(rq, xs, ys); break;
    case RenderPath::Bilinear: RenderBilinear(rq, xs, ys); break;
    }
    ApplyEffects(display_, rq.effects, rq.grey);
    return true;
}

// At 100 % the zoomed size normally equals the picture's, but a factor just above 1.0
// (a drag zoom can give one) still reads as 1000 per mille while the zoomed picture is
// a pixel or two larger; source rows and columns are limited to the picture so the copy
// never reads past it.
void ViewRenderer::RenderDirect(const RenderRequest& rq) {
    const ImageBuffer& image = *rq.image;
    const int32_t w = display_.width;
    const int32_t hs = std::clamp(rq.hPos, 0, image.width - 1);
    const int32_t inside = std::clamp(image.width - hs, 0, w);
    const int32_t bits = image.bitsPerPixel;
    std::lock_guard<std::mutex> hold(RowCopyLock());
    for (int32_t r = 0; r < display_.height; ++r) {
        const int32_t sy = std::min(std::max(rq.vPos, 0) + r, image.height - 1);
        const uint8_t* src = SourceRow(image, sy);
        uint8_t* dst = display_.Row(r);
        if (bits == 24) {
            std::memcpy(dst, src + 3 * static_cast<size_t>(hs), 3 * static_cast<size_t>(inside));
        } else {
            for (int32_t c = 0; c < inside; ++c) {
                const auto x = static_cast<uint32_t>(hs + c);
                Put3(dst + 3 * c, bits == 32 ? src + 4 * x : palette_ + 4 * PaletteIndex(src, bits, x));
            }
        }
        for (int32_t c = inside; c < w; ++c) {
            std::memcpy(dst + 3 * c, dst + 3 * (c - 1), 3);
        }
    }
}

void ViewRenderer::RenderNearest(const RenderRequest& rq, float xs, float ys) {
    const ImageBuffer& image = *rq.image;
    const int32_t w = display_.width;
    const int32_t bits = image.bitsPerPixel;
    const uint32_t bpp = IsPaletteDepth(bits) ? 1u : static_cast<uint32_t>(BytesPerPixel(bits));

    // Source column of every display column (byte offset for 24 and 32 bits, pixel index
    // otherwise), once per render.
    columns_.resize(static_cast<size_t>(w));
    float fx = StartCoordinate(rq.hPos, xs);
    for (int32_t c = 0; c < w; ++c) {
        const int32_t sx = std::min(Trunc(fx), image.width - 1);
        columns_[static_cast<size_t>(c)] = bpp * static_cast<uint32_t>(sx);
        fx += xs;
    }
    // Columns whose 4-byte load stays inside the source row and whose 4-byte store is
    // overwritten by the next pixel: those move as one word.
    int32_t wordColumns = 0;
    if (bits == 24) {
        while (wordColumns < w - 1 && columns_[static_cast<size_t>(wordColumns)] + 4 <= image.stride) {
            ++wordColumns;
        }
    }

    // Reductions touch nearly every cache line of the rows they sample: ask for the next
    // row's lines while this one is copied.
    const uint32_t spanFirst = columns_.front();
    const uint32_t spanLast = columns_.back() + bpp;
    float fy = StartCoordinate(rq.vPos, ys);
    for (int32_t r = 0; r < display_.height; ++r) {
        const uint8_t* src = SourceRow(image, std::min(Trunc(fy), image.height - 1));
        uint8_t* dst = display_.Row(r);
        const uint32_t* col = columns_.data();
#if defined(__GNUC__)
        if (r + 1 < display_.height) {
            const uint8_t* next = SourceRow(image, std::min(Trunc(fy + ys), image.height - 1));
            if (next != src) {
                for (uint32_t o = spanFirst; o < spanLast; o += 64) {
                    __builtin_prefetch(next + o);
                }
            }
        }
#endif
        if (bits == 24) {
            int32_t c = 0;
            for (; c < wordColumns; ++c) {
                std::memcpy(dst + 3 * c, src + col[c], 4);
            }
            for (; c < w; ++c) {
                Put3(dst + 3 * c, src + col[c]);
            }
        } else if (bits == 32) {
            for (int32_t c = 0; c < w; ++c) {
                Put3(dst + 3 * c, src + col[c]);
            }
        } else {
            for (int32_t c = 0; c < w; ++c) {
                Put3(dst + 3 * c, palette_ + 4 * PaletteIndex(src, bits, col[c]));
            }
        }
        fy += ys;
    }
}

// Columns [xFirst, xLast] of source row y as packed blue, green, red triples.
const uint8_t* ViewRenderer::RowAsBgr(const ImageBuffer& image,
                                      int32_t y,
                                      int32_t xFirst,
                                      int32_t xLast,
                                      std::vector<uint8_t>& scratch) const {
    const uint8_t* src = SourceRow(image, y);
    if (image.bitsPerPixel == 24) {
        return src + 3 * static_cast<size_t>(xFirst);
    }
    scratch.resize(3 * static_cast<size_t>(xLast - xFirst + 1));
    uint8_t* out = scratch.data();
    for (int32_t x = xFirst; x <= xLast; ++x, out += 3) {
        const auto ux = static_cast<uint32_t>(x);
        Put3(out, image.bitsPerPixel == 32 ? src + 4 * ux : palette_ + 4 * PaletteIndex(src, image.bitsPerPixel, ux));
    }
    return scratch.data();
}

void ViewRenderer::RenderBilinear(const RenderRequest& rq, float xs, float ys) {
    const ImageBuffer& image = *rq.image;
    const int32_t w = display_.width;
    const int32_t lastX = image.width - 1;
    const int32_t lastY = image.height - 1;

    // The walk along a row is the same for every row: where the samples are read again
    // (a new source cell), with which fraction, and how many pixels follow by increments.
    steps_.clear();
    float fx = StartCoordinate(rq.hPos, xs);
    for (int32_t c = 0; c < w;) {
        const int32_t x0 = std::min(Trunc(fx), lastX);
        const int32_t x1 = std::min(x0 + 1, lastX);
        float dx = fx - static_cast<float>(x0);
        BilinearStep step{x0, x1, dx, 0};
        ++c;
        while (dx + xs < 1.0f && c < w) {
            dx += xs;
            fx += xs;
            ++step.run;
            ++c;
        }
        fx += xs;
        steps_.push_back(step);
    }
    const int32_t xFirst = steps_.front().x0;
    const int32_t xLast = steps_.back().x1;
    for (BilinearStep& s : steps_) {
        s.x0 -= xFirst;
        s.x1 -= xFirst;
    }
    const auto span = static_cast<size_t>(xLast - xFirst + 1);
    vertical_.resize(4 * span);
    float* v = vertical_.data();

    float fy = StartCoordinate(rq.vPos, ys);
    for (int32_t r = 0; r < display_.height; ++r) {
        const int32_t y0 = std::min(Trunc(fy), lastY);
        const int32_t y1 = std::min(y0 + 1, lastY);
        const float dy = fy - static_cast<float>(y0);
        const uint8_t* p0 = RowAsBgr(image, y0, xFirst, xLast, scratch0_);
        const uint8_t* p1 = RowAsBgr(image, y1, xFirst, xLast, scratch1_);

        // Vertical first: left and right of every cell come from this row of samples.
#if defined(__SSE2__)
        const __m128 vdy = _mm_set1_ps(dy);
        const __m128i zero = _mm_setzero_si128();
        for (size_t i = 0; i < span; ++i) {
            const uint8_t* a = p0 + 3 * i;
            const uint8_t* b = p1 + 3 * i;
            const __m128i ia = _mm_unpacklo_epi16(
                    _mm_unpacklo_epi8(_mm_cvtsi32_si128(a[0] | (a[1] << 8) | (a[2] << 16)), zero), zero);
            const __m128i ib = _mm_unpacklo_epi16(
                    _mm_unpacklo_epi8(_mm_cvtsi32_si128(b[0] | (b[1] << 8) | (b[2] << 16)), zero), zero);
            const __m128 fa = _mm_cvtepi32_ps(ia);
            const __m128 diff = _mm_cvtepi32_ps(_mm_sub_epi32(ib, ia));
            _mm_storeu_ps(v + 4 * i, _mm_add_ps(fa, _mm_mul_ps(diff, vdy)));
        }
#else
        for (size_t i = 0; i < span; ++i) {
            for (size_t k = 0; k < 3; ++k) {
                const int a = p0[3 * i + k];
                const int b = p1[3 * i + k];
                v[4 * i + k] = static_cast<float>(a) + static_cast<float>(b - a) * dy;
            }
        }
#endif

        uint8_t* dst = display_.Row(r);
        uint8_t* const rowEnd = dst + 3 * static_cast<size_t>(w);
#if defined(__SSE2__)
        const __m128 vxs = _mm_set1_ps(xs);
        auto store = [&](__m128 value) {
            const __m128i i32 = _mm_cvttps_epi32(value);
            const __m128i i8 = _mm_packus_epi16(_mm_packs_epi32(i32, zero), zero);
            const auto word = static_cast<uint32_t>(_mm_cvtsi128_si32(i8));
            if (dst + 4 <= rowEnd) {
                std::memcpy(dst, &word, 4);
            } else {
                dst[0] = static_cast<uint8_t>(word);
                dst[1] = static_cast<uint8_t>(word >> 8);
                dst[2] = static_cast<uint8_t>(word >> 16);
            }
            dst += 3;
        };
        for (const BilinearStep& s : steps_) {
            const __m128 left = _mm_loadu_ps(v + 4 * s.x0);
            const __m128 diff = _mm_sub_ps(_mm_loadu_ps(v + 4 * s.x1), left);
            __m128 value = _mm_add_ps(left, _mm_mul_ps(diff, _mm_set1_ps(s.dx)));
            store(value);
            const __m128 inc = _mm_mul_ps(diff, vxs);
            for (int32_t n = 0; n < s.run; ++n) {
                value = _mm_add_ps(value, inc);
                store(value);
            }
        }
#else
        for (const BilinearStep& s : steps_) {
            float value[3];
            float inc[3];
            for (size_t k = 0; k < 3; ++k) {
                const float left = v[4 * static_cast<size_t>(s.x0) + k];
                const float diff = v[4 * static_cast<size_t>(s.x1) + k] - left;
                value[k] = left + diff * s.dx;
                inc[k] = diff * xs;
                dst[k] = static_cast<uint8_t>(Trunc(value[k]));
            }
            dst += 3;
            for (int32_t n = 0; n < s.run; ++n, dst += 3) {
                for (size_t k = 0; k < 3; ++k) {
                    value[k] += inc[k];
                    dst[k] = static_cast<uint8_t>(Trunc(value[k]));
                }
            }
        }
#endif
        (void)rowEnd;
        fy += ys;
    }
}

}  // namespace pv
