// CGifToBmp: GIF87a and GIF89a. Two faces:
//  - the frame reader: ReadFrame(file, n) walks the blocks from the start up to image n,
//    decodes that image into an 8-bit raster with our LZW decoder and reports whether more
//    images follow (the thumbnail producer uses frame 1 only);
//  - the view's reader: Read() composites every frame onto 24-bit canvases (GifAnimation)
//    and shows frame 1's canvas; FrameCount() is the number of canvases.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "imaging/ClassHeap.h"
#include "imaging/GifAnimation.h"
#include "imaging/PictureReader.h"

namespace pv {

// The frame reader's results.
enum GifReadResult : int32_t {
    kGifFailed = 0,
    kGifMore = 1,     // frame n was decoded and another image descriptor follows
    kGifTrailer = 2,  // the trailer was reached (after frame n, or before it: nothing decoded)
};

// Values of the graphic control extension just before an image (defaults without one).
struct GifControl {
    bool hasTransparency = false;
    uint8_t transparentIndex = 0;
    bool userInput = false;
    uint8_t disposal = 0;  // 0 to 7
    uint16_t delay = 0;    // hundredths of a second
};

struct GifLzwHolder;

class CGifToBmp final : public PictureReader {
public:
    CGifToBmp();
    ~CGifToBmp() override;

    // The view's road: every frame composited; image() is frame 1's canvas. Refused when
    // frame 1 cannot be read; a later frame that fails ends the animation there.
    [[nodiscard]] Status Read(std::span<const uint8_t> file) override;
    // Read's result and frame count for a caller that wants frame `index` (from 0) alone
    // (the command-line decoder): only that frame is composited (see
    // GifAnimation::CompositeOnDemand); image() is that frame's canvas, or the last
    // frame's when the file has fewer.
    [[nodiscard]] Status ReadForFrame(std::span<const uint8_t> file, size_t index);
    [[nodiscard]] int32_t FrameCount() const override;

    // Reads image n (counted from 1), walking the file from its start.
    [[nodiscard]] GifReadResult ReadFrame(std::span<const uint8_t> file, int32_t n);
    // Reads the image after the one the previous call decoded, continuing the walk where it
    // stopped instead of starting over (`file` must be the same bytes). Falls back to a
    // full walk when there is nothing to continue from.
    [[nodiscard]] GifReadResult ReadNextFrame(std::span<const uint8_t> file);

    // After a read: whether this call decoded a frame (a kGifTrailer result may not have).
    [[nodiscard]] bool FrameDecoded() const { return frameDecoded_; }

    [[nodiscard]] int32_t FrameNumber() const { return frameNumber_; }

    [[nodiscard]] int32_t ScreenWidth() const { return screenWidth_; }

    [[nodiscard]] int32_t ScreenHeight() const { return screenHeight_; }

    [[nodiscard]] uint8_t BackgroundIndex() const { return backgroundIndex_; }

    // The decoded frame: position (read as signed 16-bit), size as the file declares it,
    // raster (8-bit, top-down, unreached rows hold index 0; only the part that lies on
    // the logical screen, so it may be narrower or shorter than the frame, or empty) and
    // the palette it uses (256 entries of blue, green, red, 0; entries beyond the file's
    // table are black).
    [[nodiscard]] int32_t FrameLeft() const { return frameLeft_; }

    [[nodiscard]] int32_t FrameTop() const { return frameTop_; }

    [[nodiscard]] int32_t FrameWidth() const { return frameWidth_; }

    [[nodiscard]] int32_t FrameHeight() const { return frameHeight_; }

    [[nodiscard]] ImageBuffer FrameRaster() const;

    [[nodiscard]] const uint8_t* FramePalette() const { return framePalette_; }

    [[nodiscard]] const GifControl& Control() const { return frameControl_; }

    [[nodiscard]] const GifAnimation& animation() const { return animation_; }

private:
    enum class ImageEnd {
        Done,
        Cut,  // the file ends inside the image's data
        Failed
    };

    GifReadResult Walk(std::span<const uint8_t> file, size_t start, int32_t imageCount, int32_t n);
    [[nodiscard]] GifReadResult EndOfData() const;
    bool ReadHeader(std::span<const uint8_t> file, size_t& end);
    ImageEnd ReadImage(std::span<const uint8_t> file, size_t& pos, bool decode);
    bool GatherData(std::span<const uint8_t> file, size_t& pos);
    bool DecodeRaster(uint8_t minCodeSize, bool interlaced, size_t& produced);

    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;
    uint8_t backgroundIndex_ = 0;
    std::array<uint8_t, 1024> globalPalette_{};
    std::array<uint8_t, 1024> localPalette_{};
    const uint8_t* framePalette_ = nullptr;

    GifControl control_;       // as the walk last saw it
    GifControl frameControl_;  // as it stood at the decoded image's descriptor

    int32_t frameLeft_ = 0;
    int32_t frameTop_ = 0;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    int32_t rasterWidth_ = 0;
    int32_t rasterHeight_ = 0;
    uint32_t frameStride_ = 0;
    HeapBlock raster_;  // kept between frames and reused when large enough

    std::vector<uint8_t> lzwData_;  // one image's sub-blocks joined
    HeapBlock linear_;              // pixels in the order the data delivers them
    std::unique_ptr<GifLzwHolder> lzw_;

    bool frameDecoded_ = false;
    int32_t frameNumber_ = 0;
    // Where the walk stopped after a kGifMore result: the next image's introducer.
    size_t resumeAt_ = 0;
    int32_t resumeCount_ = 0;
    size_t resumeFileSize_ = 0;

    GifAnimation animation_;
};

}  // namespace pv
