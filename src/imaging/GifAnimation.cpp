#include "imaging/GifAnimation.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

#include "base/DecodeLimits.h"
#include "imaging/GifToBmp.h"

namespace pv {

namespace {

constexpr size_t kSlabBytes = size_t{64} << 20;

// The pixel loop decides nothing a fuzzer could learn from, and tracing its comparisons
// took half of the GIF fuzz target's time.
#if defined(__clang__)
#define PV_PIXEL_LOOP __attribute__((no_sanitize("coverage")))
#else
#define PV_PIXEL_LOOP
#endif

void FillCanvas(uint8_t* canvas, size_t size, uint32_t stride, int32_t width, const uint8_t* bgr) {
    if (bgr[0] == bgr[1] && bgr[1] == bgr[2]) {
        std::memset(canvas, bgr[0], size);
        return;
    }
    // One row by pixels (its padding zero, never left as it was), the others copied from it.
    for (int32_t x = 0; x < width; ++x) {
        std::memcpy(canvas + 3 * static_cast<size_t>(x), bgr, 3);
    }
    const size_t used = 3 * static_cast<size_t>(width);
    std::memset(canvas + used, 0, stride - used);
    for (size_t at = stride; at + stride <= size; at += stride) {
        std::memcpy(canvas + at, canvas, stride);
    }
}

}  // namespace

void GifAnimation::Clear() {
    frames_.clear();
    rasters_.clear();
    rasterBytes_ = 0;
    slabs_.clear();
    slabFree_ = 0;
    canvases_ = 0;
    onDemand_ = false;
    live_.Reset();
    liveFrame_ = SIZE_MAX;
    screenWidth_ = 0;
    screenHeight_ = 0;
    canvasStride_ = 0;
    canvasSize_ = 0;
    budget_ = 0;
    finished_ = true;
}

int32_t GifAnimation::PlaybackDelayMs(uint16_t delay) {
    if (delay < 5) {
        return 100;
    }
    return std::min(int32_t{delay} * 10, int32_t{300});
}

size_t GifAnimation::Cost(size_t canvases, size_t rasterBytes) const {
    return canvases * canvasSize_ + rasterBytes;
}

ImageBuffer GifAnimation::CanvasImage(size_t i) const {
    ImageBuffer image;
    if (i >= frames_.size()) {
        return image;
    }
    image.width = screenWidth_;
    image.height = screenHeight_;
    image.bitsPerPixel = 24;
    image.stride = canvasStride_;
    image.pixels = frames_[i].canvas;
    if (image.pixels != nullptr) {
        return image;
    }
    const std::lock_guard lock(liveLock_);
    // From the shared canvas when it holds this frame or one before it, else from the
    // nearest frame before it that has a canvas of its own (frame 0 always has).
    if (liveFrame_ >= frames_.size() || liveFrame_ > i) {
        size_t from = i;
        while (frames_[from].canvas == nullptr) {
            --from;
        }
        std::memcpy(live_.data(), frames_[from].canvas, canvasSize_);
        liveFrame_ = from;
    }
    for (size_t k = liveFrame_ + 1; k <= i; ++k) {
        Prepare(live_.data(), frames_[k], live_.data());
        const Raster& raster = rasters_[k - 1];
        Draw(live_.data(), frames_[k], raster.image, raster.palette.data(), false);
        liveFrame_ = k;
    }
    image.pixels = live_.data();
    return image;
}

bool GifAnimation::Begin(CGifToBmp& reader, std::span<const uint8_t> file, bool onDemand) {
    Clear();
    const GifReadResult result = reader.ReadFrame(file, 1);
    if (result == kGifFailed || !reader.FrameDecoded()) {
        return false;
    }
    screenWidth_ = reader.ScreenWidth();
    screenHeight_ = reader.ScreenHeight();
    canvasStride_ = RowStride(24, screenWidth_);
    canvasSize_ = Budgeted24BitSize(screenWidth_, screenHeight_);
    // The frames' rasters together come from the file's LZW data, so they too are bounded by
    // what its bytes can encode: many frames declaring large rasters over a few bytes of
    // data each end the animation early instead of costing a gigabyte. The canvases that
    // composite them come on top.
    const uint64_t rasters = std::max(kAlwaysReadBytes, PixelsHeldBy(file.size(), kGifPixelsPerByte));
    budget_ = DecodeBudget();
    if (rasters < budget_ && 3 * uint64_t{canvasSize_} < budget_ - rasters) {
        budget_ = static_cast<size_t>(3 * uint64_t{canvasSize_} + rasters);
    }
    onDemand_ = onDemand;
    finished_ = result == kGifTrailer;
    return true;
}

Status GifAnimation::Start(CGifToBmp& reader, std::span<const uint8_t> file) {
    return StartWith(reader, file, false);
}

Status GifAnimation::StartWith(CGifToBmp& reader, std::span<const uint8_t> file, bool onDemand) {
    if (!Begin(reader, file, onDemand)) {
        return Status::BadData;
    }
    if (Status s = CheckPictureSize(screenWidth_, screenHeight_); s != Status::Ok) {
        Clear();
        return s;
    }
    if (!AddFrame(reader)) {
        Clear();
        return reader.FrameLeft() < 0 || reader.FrameTop() < 0 ? Status::BadData : Status::OutOfMemory;
    }
    return Status::Ok;
}

bool GifAnimation::AddNextFrame(CGifToBmp& reader, std::span<const uint8_t> file) {
    if (finished_) {
        return false;
    }
    const GifReadResult result = reader.ReadNextFrame(file);
    // A later frame that cannot be read ends the animation with the frames before it.
    if (result == kGifFailed || !reader.FrameDecoded() || !AddFrame(reader)) {
        finished_ = true;
        return false;
    }
    finished_ = result == kGifTrailer;
    return true;
}

Status GifAnimation::CompositeAll(CGifToBmp& reader, std::span<const uint8_t> file) {
    Status s = Start(reader, file);
    if (s != Status::Ok) {
        return s;
    }
    while (AddNextFrame(reader, file)) {
    }
    return Status::Ok;
}

Status GifAnimation::CompositeOnDemand(CGifToBmp& reader, std::span<const uint8_t> file) {
    Status s = StartWith(reader, file, true);
    if (s != Status::Ok) {
        return s;
    }
    while (AddNextFrame(reader, file)) {
    }
    return Status::Ok;
}

uint8_t* GifAnimation::NewCanvas() {
    if (slabFree_ == 0) {
        const size_t affordable = (budget_ - Cost(canvases_, rasterBytes_)) / canvasSize_;
        // Small first, so a still picture costs one canvas; doubling up to a large block.
        const size_t wanted = std::min(kSlabBytes / canvasSize_, size_t{1} << std::min<size_t>(slabs_.size(), 20));
        const size_t count = std::clamp<size_t>(wanted, 1, std::max<size_t>(affordable, 1));
        HeapBlock slab;
        if (!slab.Allocate(HeapId::Gif, count * canvasSize_, false)) {
            return nullptr;
        }
        slabs_.push_back(std::move(slab));
        slabFree_ = count;
    }
    const HeapBlock& slab = slabs_.back();
    uint8_t* canvas = slab.data() + slab.size() - slabFree_ * canvasSize_;
    --slabFree_;
    ++canvases_;
    return canvas;
}

bool GifAnimation::GoOnDemand() {
    // Frame 0's canvas is alone in the first slab; the others go, and their frames are
    // composited from their rasters from now on.
    if (!live_.Allocate(HeapId::Gif, canvasSize_, false)) {
        return false;
    }
    slabs_.resize(std::min<size_t>(slabs_.size(), 1));
    slabFree_ = 0;
    canvases_ = std::min<size_t>(canvases_, 1);
    for (size_t i = 1; i < frames_.size(); ++i) {
        frames_[i].canvas = nullptr;
    }
    liveFrame_ = SIZE_MAX;
    onDemand_ = true;
    return true;
}

void GifAnimation::Prepare(uint8_t* canvas, const GifFrame& frame, const uint8_t* previous) const {
    if (frame.disposal == 2) {
        FillCanvas(canvas, canvasSize_, canvasStride_, screenWidth_, frame.background.data());
    } else if (previous != canvas) {
        std::memcpy(canvas, previous, canvasSize_);
    }
}

PV_PIXEL_LOOP void GifAnimation::Draw(uint8_t* canvas,
                                      const GifFrame& frame,
                                      const ImageBuffer& raster,
                                      const uint8_t* palette,
                                      bool first) const {
    // The reader keeps only the part on the screen; the clip stands guard all the same.
    const int32_t drawWidth = std::min(raster.width, screenWidth_ - std::min(frame.left, screenWidth_));
    const int32_t drawHeight = std::min(raster.height, screenHeight_ - std::min(frame.top, screenHeight_));
    if (drawWidth <= 0 || drawHeight <= 0) {
        return;
    }
    // From frame 1 on, a pixel whose colour equals the transparent colour is not drawn.
    std::array<bool, 256> skip{};
    if (!first && frame.hasTransparency) {
        for (size_t i = 0; i < 256; ++i) {
            skip[i] = palette[4 * i] == frame.transparentColour[0] &&
                      palette[4 * i + 1] == frame.transparentColour[1] &&
                      palette[4 * i + 2] == frame.transparentColour[2];
        }
    }
    const bool anySkip = std::find(skip.begin(), skip.end(), true) != skip.end();
    for (int32_t y = 0; y < drawHeight; ++y) {
        const uint8_t* src = raster.pixels + size_t{raster.stride} * static_cast<size_t>(y);
        uint8_t* dst = canvas + size_t{canvasStride_} * static_cast<size_t>(frame.top + y) +
                       3 * static_cast<size_t>(frame.left);
        // Byte by byte rather than a three-byte copy, which is a call in instrumented builds.
        if (!anySkip) {
            for (int32_t x = 0; x < drawWidth; ++x, dst += 3) {
                const uint8_t* entry = palette + 4 * size_t{src[x]};
                dst[0] = entry[0];
                dst[1] = entry[1];
                dst[2] = entry[2];
            }
            continue;
        }
        for (int32_t x = 0; x < drawWidth; ++x, dst += 3) {
            if (!skip[src[x]]) {
                const uint8_t* entry = palette + 4 * size_t{src[x]};
                dst[0] = entry[0];
                dst[1] = entry[1];
                dst[2] = entry[2];
            }
        }
    }
}

bool GifAnimation::AddFrame(const CGifToBmp& reader) {
    const int32_t left = reader.FrameLeft();
    const int32_t top = reader.FrameTop();
    if (left < 0 || top < 0) {
        return false;
    }
    const GifControl& control = reader.Control();
    const uint8_t* palette = reader.FramePalette();
    const ImageBuffer raster = reader.FrameRaster();
    const bool first = frames_.empty();

    GifFrame frame;
    frame.left = left;
    frame.top = top;
    frame.width = reader.FrameWidth();
    frame.height = reader.FrameHeight();
    frame.delay = control.delay;
    frame.disposal = control.disposal;
    std::memcpy(frame.background.data(), palette + 4 * size_t{reader.BackgroundIndex()}, 4);
    frame.hasTransparency = control.hasTransparency;
    frame.transparentIndex = control.transparentIndex;
    std::memcpy(frame.transparentColour.data(), palette + 4 * size_t{control.transparentIndex}, 4);

    if (first) {
        frame.canvas = NewCanvas();
        if (frame.canvas == nullptr) {
            return false;
        }
        std::memset(frame.canvas, 0xFF, canvasSize_);
        Draw(frame.canvas, frame, raster, palette, true);
        frames_.push_back(frame);
        return true;
    }

    // Every later frame keeps its raster, charged to the file's budget: it must fit beside
    // the two canvases that composite on demand.
    const size_t rasterSize = size_t{raster.stride} * static_cast<size_t>(raster.height);
    if (Cost(2, rasterBytes_) > budget_ || rasterSize > budget_ - Cost(2, rasterBytes_)) {
        return false;
    }
    Raster kept;
    if (rasterSize > 0) {
        if (!kept.pixels.Allocate(HeapId::Gif, rasterSize, false)) {
            return false;
        }
        std::memcpy(kept.pixels.data(), raster.pixels, rasterSize);
        kept.image = raster;
        kept.image.pixels = kept.pixels.data();
        kept.image.palette = nullptr;
    }
    std::memcpy(kept.palette.data(), palette, kept.palette.size());
    const size_t rasterBytes = rasterBytes_ + rasterSize;

    if (!onDemand_ && Cost(canvases_ + 1, rasterBytes) <= budget_) {
        frame.canvas = NewCanvas();
        if (frame.canvas == nullptr) {
            return false;
        }
        Prepare(frame.canvas, frame, frames_.back().canvas);
        Draw(frame.canvas, frame, raster, palette, false);
    } else if (live_.empty() && !GoOnDemand()) {
        return false;
    }
    frames_.push_back(frame);
    rasters_.push_back(std::move(kept));
    rasterBytes_ = rasterBytes;
    return true;
}

}  // namespace pv
