// Compositing on demand must give the canvases of compositing at once: the command-line
// decoder's road (one frame wanted) and long animations (canvases beyond the budget)
// against the view's road, plus what hostile frame sizes cost.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "GifBuilder.h"
#include "TestPaths.h"
#include "base/DecodeLimits.h"
#include "imaging/GifToBmp.h"

namespace pv {
namespace {

using test::GifSpec;
using test::MakeFrame;

std::vector<uint8_t> CanvasBytes(const ImageBuffer& image) {
    if (!image.HasPicture()) {
        return {};
    }
    return {image.pixels, image.pixels + size_t{image.stride} * static_cast<size_t>(image.height)};
}

// Every frame index (and one past the end) through ReadForFrame against Read.
void ExpectSameAsFullRoad(const std::string& name, const std::vector<uint8_t>& file) {
    CGifToBmp full;
    const Status fullStatus = full.Read(file);
    const auto frames = static_cast<size_t>(full.FrameCount());
    for (size_t index = 0; index <= frames; ++index) {
        CGifToBmp one;
        ASSERT_EQ(one.ReadForFrame(file, index), fullStatus) << name << " frame " << index;
        if (fullStatus != Status::Ok) {
            return;
        }
        EXPECT_EQ(one.FrameCount(), full.FrameCount()) << name << " frame " << index;
        EXPECT_EQ(CanvasBytes(one.image()), CanvasBytes(full.animation().CanvasImage(std::min(index, frames - 1))))
                << name << " frame " << index;
    }
}

// Disposals 0, 1, 2 and transparency in turn, so each canvas depends on the one before.
GifSpec Chain(int frames) {
    GifSpec s;
    s.width = 4;
    s.height = 2;
    s.background = 3;
    s.globalPalette = test::FourColours();
    for (int k = 0; k < frames; ++k) {
        const auto i = static_cast<uint8_t>(k % 4);
        s.frames.push_back(MakeFrame(k % 3, k % 2, 4 - k % 3, 2 - k % 2, {i, 0, 1, i, 2, 3, i, 1}, k % 3));
        if (k % 2 == 1) {
            s.frames.back().transparent = 0;
        }
    }
    return s;
}

TEST(GifOneFrameTest, BuiltAnimationsMatchTheViewsRoad) {
    GifSpec noTrailer = Chain(5);
    noTrailer.trailer = false;
    // A frame that starts off the screen is clipped; a broken code stream ends the list.
    GifSpec clipped = Chain(5);
    clipped.frames[2].left = 6;
    GifSpec broken = Chain(5);
    broken.frames[3].codes = std::vector<uint16_t>{256, 300};

    const struct {
        const char* name;
        GifSpec fields;
    } cases[] = {{"chain", Chain(5)},
                 {"no trailer", noTrailer},
                 {"clipped", clipped},
                 {"broken", broken},
                 {"single", Chain(1)}};

    for (const auto& c : cases) {
        ExpectSameAsFullRoad(c.name, test::BuildGif(c.fields));
    }
}

TEST(GifOneFrameTest, TestDataMatchesTheViewsRoad) {
    const std::filesystem::path folder = std::filesystem::path(test::TestDataDir()) / "gif";
    if (!std::filesystem::exists(folder)) {
        GTEST_SKIP() << "no test data";
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".gif" && entry.file_size() < (size_t{4} << 20)) {
            ExpectSameAsFullRoad(entry.path().filename().string(), test::ReadHostFile(entry.path().string()));
        }
    }
}

TEST(GifOneFrameTest, LongAnimationsPlayEveryFrameTheBudgetHolds) {
    // Canvases of 4 x 2 take 24 bytes, rasters 8 or 4 (odd frames have one row): three
    // canvases and two rasters (84 bytes) fit a budget of 100, a fourth canvas does not.
    // Then frames go on demand (frame 0's canvas, the shared one and the rasters of frames
    // 1 to 9: 48 + 52 = 100): 10 frames of 12, where canvases alone gave 4.
    const auto file = test::BuildGif(Chain(12));
    CGifToBmp all;
    ASSERT_EQ(all.Read(file), Status::Ok);
    ASSERT_EQ(all.FrameCount(), 12);
    EXPECT_EQ(all.animation().CanvasesHeld(), 12u);
    const ScopedDecodeBudget budget(100);
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(file), Status::Ok);
    ASSERT_EQ(gif.FrameCount(), 10);
    EXPECT_EQ(gif.animation().CanvasesHeld(), 1u);
    EXPECT_EQ(gif.animation().BytesCharged(), 100u);
    // Played in order, then out of order, the canvases are those composited at once.
    for (size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 7, 2, 9, 0, 5}) {
        EXPECT_EQ(CanvasBytes(gif.animation().CanvasImage(i)), CanvasBytes(all.animation().CanvasImage(i))) << i;
    }
    ExpectSameAsFullRoad("long chain", file);
}

TEST(GifOneFrameTest, HugeFramesOnATinyScreenCostTheScreen) {
    // A 1 x 1 screen and 300 frames of 16384 x 16384 whose data is a clear code, one pixel
    // and the end: each frame keeps one pixel (a row of 4 bytes), whatever the budget.
    const ScopedDecodeBudget budget(size_t{64} << 20);
    for (bool interlaced : {false, true}) {
        GifSpec s;
        s.globalPalette = test::FourColours();
        s.frames.assign(300, MakeFrame(0, 0, 16384, 16384, {}));
        for (auto& f : s.frames) {
            f.codes = std::vector<uint16_t>{256, 2, 257};
            f.interlaced = interlaced;
        }
        s.frames[0].codes = std::vector<uint16_t>{256, 1, 257};
        const auto file = test::BuildGif(s);
        CGifToBmp gif;
        ASSERT_EQ(gif.Read(file), Status::Ok) << interlaced;
        EXPECT_EQ(gif.FrameCount(), 300) << interlaced;
        EXPECT_EQ(gif.animation().BytesCharged(), 300u * 4 + 299u * 4) << interlaced;
        EXPECT_EQ(PixelAt(gif.animation().CanvasImage(299), 0, 0), (Bgr{0, 255, 0})) << interlaced;
        ASSERT_EQ(gif.ReadFrame(file, 300), kGifTrailer);
        EXPECT_EQ(gif.FrameRaster().width, 1);
        EXPECT_EQ(gif.FrameRaster().height, 1);
    }
}

}  // namespace
}  // namespace pv
