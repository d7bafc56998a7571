// The frames of a GIF as the image view plays them: every image composited onto a white
// 24-bit canvas the size of the logical screen, in file order.
//
// Contract for the view: after CGifToBmp::Read succeeds, animation().FrameCount() frames
// exist (the title shows that count); frame i's pixels are CanvasImage(i) (24-bit, rows
// top-down, stride RowStride(24, screen width)) and it stays on screen for
// PlaybackDelayMs(Frame(i).delay). With more than one frame the view starts its animation
// worker and cycles through the list until stopped; the short pause and repaint after each
// frame while a file loads are the view's business, not the compositor's. The canvases
// belong to the reader and go with it when the next file is opened. Frame 0's canvas never
// changes. A long animation composites its later frames when they are asked for, into one
// canvas they share: those pixels stay valid until CanvasImage is asked for another frame.
// The view asks from one thread at a time and in playing order, which costs one frame's
// compositing per call.
//
// Compositing rules: frame 0 writes every pixel of its rectangle (transparent index
// included), so the canvas stays white only outside it. Each later frame starts from the
// previous canvas, or from a canvas filled with the background colour when its own
// disposal method is 2, and skips pixels whose colour equals the transparent colour when
// it has a transparent index. Frames are clipped to the canvas.
//
// Memory: every later frame's decoded raster (its part on the screen, 8-bit) is kept, and
// while a canvas per frame fits the decode budget beside them, every canvas is composited
// at once. Once one does not, the canvases after frame 0 are let go and frames are
// composited on demand from the rasters, so long animations play to their end. The budget
// bounds the whole file: a frame whose raster does not fit beside frame 0's canvas and the
// shared one is dropped with those after it, as are the frames from the first one that
// cannot be read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
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
    uint8_t* canvas = nullptr;  // screen-sized, owned by the animation; null: on demand
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
    // Takes the next frame; false once the file has no more (or one failed).
    bool AddNextFrame(CGifToBmp& reader, std::span<const uint8_t> file);
    // Start, then every further frame.
    [[nodiscard]] Status CompositeAll(CGifToBmp& reader, std::span<const uint8_t> file);
    // The same frames, counted by the same rules, for a caller that needs one frame's
    // canvas: nothing after frame 0 is composited until it is asked for.
    [[nodiscard]] Status CompositeOnDemand(CGifToBmp& reader, std::span<const uint8_t> file);
    void Clear();

    [[nodiscard]] size_t FrameCount() const { return frames_.size(); }

    [[nodiscard]] const GifFrame& Frame(size_t i) const { return frames_[i]; }

    [[nodiscard]] ImageBuffer CanvasImage(size_t i) const;

    [[nodiscard]] int32_t ScreenWidth() const { return screenWidth_; }

    [[nodiscard]] int32_t ScreenHeight() const { return screenHeight_; }

    [[nodiscard]] bool Finished() const { return finished_; }

    // Bytes held for the file's frames (canvases and rasters); never above the budget.
    [[nodiscard]] size_t BytesCharged() const { return Cost(canvases_ + (live_.empty() ? 0 : 1), rasterBytes_); }

    // Frames with a canvas of their own, composited at once.
    [[nodiscard]] size_t CanvasesHeld() const { return canvases_; }

    // How long the view shows a frame: a delay below 5 hundredths plays at 100 ms, others
    // at their delay, at most 300 ms.
    [[nodiscard]] static int32_t PlaybackDelayMs(uint16_t delay);

private:
    struct Raster {
        HeapBlock pixels;
        ImageBuffer image;
        std::array<uint8_t, 1024> palette{};
    };

    [[nodiscard]] Status StartWith(CGifToBmp& reader, std::span<const uint8_t> file, bool onDemand);
    bool Begin(CGifToBmp& reader, std::span<const uint8_t> file, bool onDemand);
    bool AddFrame(const CGifToBmp& reader);
    bool GoOnDemand();
    uint8_t* NewCanvas();
    [[nodiscard]] size_t Cost(size_t canvases, size_t rasterBytes) const;
    void Prepare(uint8_t* canvas, const GifFrame& frame, const uint8_t* previous) const;
    void Draw(uint8_t* canvas,
              const GifFrame& frame,
              const ImageBuffer& raster,
              const uint8_t* palette,
              bool first) const;

    std::vector<GifFrame> frames_;
    std::vector<Raster> rasters_;  // frame i's at i - 1
    size_t rasterBytes_ = 0;
    // Canvases are carved from a few large blocks rather than allocated one by one: fresh
    // memory is slow to touch page by page, and large blocks come back from the heap ready.
    std::vector<HeapBlock> slabs_;
    size_t slabFree_ = 0;  // canvases still unused in the last slab
    size_t canvases_ = 0;  // canvases handed out
    bool onDemand_ = false;
    // The canvas that frames without their own are composited into, and the frame it holds.
    mutable std::mutex liveLock_;
    mutable HeapBlock live_;
    mutable size_t liveFrame_ = SIZE_MAX;
    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;
    uint32_t canvasStride_ = 0;
    size_t canvasSize_ = 0;
    size_t budget_ = 0;
    bool finished_ = true;
};

}  // namespace pv
