// The frames of a GIF as the image view plays them: every image composited onto a white
// 24-bit canvas the size of the logical screen, in file order.
//
// Contract for the view: after CGifToBmp::Read succeeds, animation().FrameCount() frames
// exist (the title shows that count); frame i's pixels are CanvasImage(i) (24-bit, rows
// top-down, stride RowStride(24, screen width)) and it stays on screen for
// PlaybackDelayMs(Frame(i).delay). With more than one frame the view starts its animation
// worker and cycles through the list until stopped; the short pause and repaint after each
// frame while a file loads are the view's business, not the compositor's. The canvases
// belong to the reader and go with it when the next file is opened.
//
// Compositing rules: frame 0 writes every pixel of its rectangle (transparent index
// included), so the canvas stays white only outside it. Each later frame starts from the
// previous canvas, or from a canvas filled with the background colour when its own
// disposal method is 2, and skips pixels whose colour equals the transparent colour when
// it has a transparent index. Frames are clipped to the canvas. All canvases of one file
// together stay within the decode budget: frames that would exceed it are dropped, as are
// the frames from the first one that cannot be read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/Status.h"
#include "imaging/ClassHeap.h"
#include "imaging/ImageBuffer.h"

namespace pv {

class CGifToBmp;

struct GifFrame {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* canvas = nullptr;  // screen-sized, owned by the animation
    uint16_t delay = 0;         // hundredths of a second, as stored
    uint8_t disposal = 0;
    std::array<uint8_t, 4> background{};  // blue, green, red, 0
    bool hasTransparency = false;
    uint8_t transparentIndex = 0;
    std::array<uint8_t, 4> transparentColour{};
};

class GifAnimation {
public:
    // Composites frame 1; a failure here means the file cannot be shown.
    [[nodiscard]] Status Start(CGifToBmp& reader, std::span<const uint8_t> file);
    // Composites the next frame; false once the file has no more (or one failed).
    bool AddNextFrame(CGifToBmp& reader, std::span<const uint8_t> file);
    // Start, then every further frame.
    [[nodiscard]] Status CompositeAll(CGifToBmp& reader, std::span<const uint8_t> file);
    // The same frames, counted by the same rules, for a caller that needs the canvas of
    // frame `keep` (counted from 0) alone: the canvases before it are reused as the
    // compositing moves on, and the frames after it are decoded and counted but not
    // composited. Only CanvasImage(keep) has pixels afterwards (when the file has that
    // many frames).
    [[nodiscard]] Status CompositeOnly(CGifToBmp& reader, std::span<const uint8_t> file, size_t keep);
    void Clear();

    [[nodiscard]] size_t FrameCount() const { return frames_.size(); }

    [[nodiscard]] const GifFrame& Frame(size_t i) const { return frames_[i]; }

    [[nodiscard]] ImageBuffer CanvasImage(size_t i) const;

    [[nodiscard]] int32_t ScreenWidth() const { return screenWidth_; }

    [[nodiscard]] int32_t ScreenHeight() const { return screenHeight_; }

    [[nodiscard]] bool Finished() const { return finished_; }

    // How long the view shows a frame: a delay below 5 hundredths plays at 100 ms, others
    // at their delay, at most 300 ms.
    [[nodiscard]] static int32_t PlaybackDelayMs(uint16_t delay);

private:
    bool AddFrame(const CGifToBmp& reader);
    uint8_t* NewCanvas();

    std::vector<GifFrame> frames_;
    // Canvases are carved from a few large blocks rather than allocated one by one: fresh
    // memory is slow to touch page by page, and large blocks come back from the heap ready.
    std::vector<HeapBlock> slabs_;
    size_t slabFree_ = 0;  // canvases still unused in the last slab
    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;
    uint32_t canvasStride_ = 0;
    size_t canvasSize_ = 0;
    size_t budgetLeft_ = 0;
    bool finished_ = true;
    static constexpr size_t kKeepAll = SIZE_MAX;
    size_t keep_ = kKeepAll;    // CompositeOnly's frame
    uint8_t* spare_ = nullptr;  // a canvas CompositeOnly no longer needs
};

}  // namespace pv
