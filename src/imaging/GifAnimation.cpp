#include "imaging/GifAnimation.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/DecodeLimits.h"
#include "imaging/GifToBmp.h"

namespace pv {

namespace {

constexpr size_t kSlabBytes = size_t{64} << 20;

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
    slabs_.clear();
    slabFree_ = 0;
    screenWidth_ = 0;
    screenHeight_ = 0;
    canvasStride_ = 0;
    canvasSize_ = 0;
    budgetLeft_ = 0;
    finished_ = true;
    keep_ = kKeepAll;
    spare_ = nullptr;
}

int32_t GifAnimation::PlaybackDelayMs(uint16_t delay) {
    if (delay < 5) {
        return 100;
    }
    return std::min(int32_t{delay} * 10, int32_t{300});
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
    return image;
}

Status GifAnimation::Start(CGifToBmp& reader, std::span<const uint8_t> file) {
    Clear();
    const GifReadResult result = reader.ReadFrame(file, 1);
    if (result == kGifFailed || !reader.FrameDecoded()) {
        return Status::BadData;
    }
    if (Status s = CheckPictureSize(reader.ScreenWidth(), reader.ScreenHeight()); s != Status::Ok) {
        return s;
    }
    screenWidth_ = reader.ScreenWidth();
    screenHeight_ = reader.ScreenHeight();
    canvasStride_ = RowStride(24, screenWidth_);
    canvasSize_ = Budgeted24BitSize(screenWidth_, screenHeight_);
    budgetLeft_ = DecodeBudget();
    finished_ = false;
    if (!AddFrame(reader)) {
        Clear();
        return reader.FrameLeft() < 0 || reader.FrameTop() < 0 ? Status::BadData : Status::OutOfMemory;
    }
    finished_ = result == kGifTrailer;
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

Status GifAnimation::CompositeOnly(CGifToBmp& reader, std::span<const uint8_t> file, size_t keep) {
    Status s = Start(reader, file);
    if (s != Status::Ok) {
        return s;
    }
    keep_ = keep;
    while (AddNextFrame(reader, file)) {
    }
    return Status::Ok;
}

uint8_t* GifAnimation::NewCanvas() {
    if (canvasSize_ > budgetLeft_) {
        return nullptr;
    }
    if (spare_ != nullptr) {
        // Charged like a new canvas, so the frames counted are those the full road keeps.
        budgetLeft_ -= canvasSize_;
        return std::exchange(spare_, nullptr);
    }
    if (slabFree_ == 0) {
        const size_t affordable = budgetLeft_ / canvasSize_;
        // Small first, so a still picture costs one canvas; doubling up to a large block.
        const size_t wanted = std::min(kSlabBytes / canvasSize_, size_t{1} << std::min<size_t>(slabs_.size(), 20));
        const size_t count = std::clamp<size_t>(wanted, 1, affordable);
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
    budgetLeft_ -= canvasSize_;
    return canvas;
}

bool GifAnimation::AddFrame(const CGifToBmp& reader) {
    const int32_t left = reader.FrameLeft();
    const int32_t top = reader.FrameTop();
    if (left < 0 || top < 0) {
        return false;
    }
    if (keep_ != kKeepAll && frames_.size() > keep_) {
        // Past the frame wanted: counted, with the budget charged as a canvas would be.
        if (canvasSize_ > budgetLeft_) {
            return false;
        }
        budgetLeft_ -= canvasSize_;
        GifFrame counted;
        counted.left = left;
        counted.top = top;
        counted.delay = reader.Control().delay;
        counted.disposal = reader.Control().disposal;
        frames_.push_back(counted);
        return true;
    }
    uint8_t* canvas = NewCanvas();
    if (canvas == nullptr) {
        return false;
    }
    const GifControl& control = reader.Control();
    const uint8_t* palette = reader.FramePalette();
    const bool first = frames_.empty();

    GifFrame frame;
    frame.left = left;
    frame.top = top;
    const ImageBuffer raster = reader.FrameRaster();
    frame.width = raster.width;
    frame.height = raster.height;
    frame.canvas = canvas;
    frame.delay = control.delay;
    frame.disposal = control.disposal;
    std::memcpy(frame.background.data(), palette + 4 * size_t{reader.BackgroundIndex()}, 4);
    frame.hasTransparency = control.hasTransparency;
    frame.transparentIndex = control.transparentIndex;
    std::memcpy(frame.transparentColour.data(), palette + 4 * size_t{control.transparentIndex}, 4);

    if (first) {
        std::memset(canvas, 0xFF, canvasSize_);
    } else if (frame.disposal == 2) {
        FillCanvas(canvas, canvasSize_, canvasStride_, screenWidth_, frame.background.data());
    } else {
        std::memcpy(canvas, frames_.back().canvas, canvasSize_);
    }

    // Frames reaching beyond the logical screen are clipped to the canvas.
    const int32_t drawWidth = std::min(raster.width, screenWidth_ - std::min(left, screenWidth_));
    const int32_t drawHeight = std::min(raster.height, screenHeight_ - std::min(top, screenHeight_));
    if (drawWidth > 0 && drawHeight > 0) {
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
            uint8_t* dst =
                    canvas + size_t{canvasStride_} * static_cast<size_t>(top + y) + 3 * static_cast<size_t>(left);
            if (!anySkip) {
                for (int32_t x = 0; x < drawWidth; ++x) {
                    const uint8_t* entry = palette + 4 * size_t{src[x]};
                    dst[0] = entry[0];
                    dst[1] = entry[1];
                    dst[2] = entry[2];
                    dst += 3;
                }
                continue;
            }
            for (int32_t x = 0; x < drawWidth; ++x) {
                const uint8_t index = src[x];
                if (!skip[index]) {
                    const uint8_t* entry = palette + 4 * size_t{index};
                    dst[0] = entry[0];
                    dst[1] = entry[1];
                    dst[2] = entry[2];
                }
                dst += 3;
            }
        }
    }
    frames_.push_back(std::move(frame));
    // The canvas before this one has served as its starting point; unless it is the one
    // wanted, the next frame can be drawn on it.
    if (keep_ != kKeepAll && frames_.size() >= 2 && frames_.size() - 2 != keep_) {
        spare_ = std::exchange(frames_[frames_.size() - 2].canvas, nullptr);
    }
    return true;
}

}  // namespace pv
