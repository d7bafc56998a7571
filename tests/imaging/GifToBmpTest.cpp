// The GIF reader and the view's compositing: frame walk results, interlacing, broken and
// cut files, LZW corner cases, graphic control blocks, transparency and disposal, the
// mends (code sizes, clipping, unreached rows, indices beyond the palette), compositing
// on demand and the decode budget.
#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>

#include "GifBuilder.h"
#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "base/DecodeLimits.h"
#include "imaging/GifToBmp.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

using test::GifSpec;
using test::MakeFrame;

constexpr Bgr kWhite{255, 255, 255};
constexpr Bgr kBlack{0, 0, 0};
constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kGreen{0, 255, 0};
constexpr Bgr kBlue{255, 0, 0};

GifSpec Screen(int width, int height, std::vector<test::GifFrameSpec> frames) {
    GifSpec s;
    s.width = width;
    s.height = height;
    s.background = 3;  // blue
    s.globalPalette = test::FourColours();
    s.frames = std::move(frames);
    return s;
}

TEST(GifToBmpTest, StillPictureClippedToItsScreen) {
    // Frame 0 draws its transparent index like any colour; the canvas is white outside the
    // frame. The frame reaches past the screen: only its 2 x 2 visible pixels are kept.
    // Index 9 is beyond the 4-entry local table (black); of 16 pixels only 5 are coded.
    GifSpec s = Screen(3, 3, {MakeFrame(1, 1, 4, 4, {9, 1, 2, 3, 3}, 0)});
    s.frames[0].transparent = 1;
    s.frames[0].localPalette = test::FourColours();
    const auto file = test::BuildGif(s);
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(file), Status::Ok);
    const ImageBuffer& img = gif.image();
    EXPECT_EQ(gif.FrameCount(), 1);
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_EQ(img.stride, RowStride(24, 3));
    const Bgr expected[3][3] = {{kWhite, kWhite, kWhite}, {kWhite, kBlack, kRed}, {kWhite, kBlue, kBlack}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(img, x, y), expected[y][x]) << x << "," << y;
        }
    }
    ASSERT_EQ(gif.ReadFrame(file, 1), kGifTrailer);
    EXPECT_EQ(gif.FrameWidth(), 4);
    EXPECT_EQ(gif.FrameRaster().width, 2);
    EXPECT_EQ(gif.FrameRaster().height, 2);
}

TEST(GifToBmpTest, InterlacedRowsLandInPassOrder) {
    const std::vector<std::vector<int>> orders = {{0}, {0, 1}, {0, 8, 4, 2, 6, 1, 3, 5, 7}};
    for (const auto& order : orders) {
        const int height = static_cast<int>(order.size());
        GifSpec s = Screen(1, height, {MakeFrame(0, 0, 1, height, {})});
        s.frames[0].interlaced = true;
        for (int i = 1; i <= height; ++i) {
            s.frames[0].indices.push_back(static_cast<uint8_t>(i));
        }
        CGifToBmp gif;
        ASSERT_EQ(gif.ReadFrame(test::BuildGif(s), 1), kGifTrailer) << height;
        const ImageBuffer raster = gif.FrameRaster();
        for (size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(raster.pixels[raster.stride * static_cast<size_t>(order[i])], i + 1) << height << " " << i;
        }
    }
}

GifSpec TwoFrames() {
    return Screen(2, 1, {MakeFrame(0, 0, 2, 1, {1, 1}), MakeFrame(0, 0, 2, 1, {2, 2})});
}

TEST(GifToBmpTest, FrameReadResults) {
    const auto file = test::BuildGif(TwoFrames());
    CGifToBmp gif;
    EXPECT_EQ(gif.ReadFrame(file, 1), kGifMore);
    EXPECT_TRUE(gif.FrameDecoded());
    EXPECT_EQ(gif.ReadFrame(file, 2), kGifTrailer);
    EXPECT_EQ(gif.FrameRaster().pixels[0], 2);
    // Beyond the last frame: the trailer, nothing decoded.
    EXPECT_EQ(gif.ReadFrame(file, 3), kGifTrailer);
    EXPECT_FALSE(gif.FrameDecoded());
    // Continuing the walk gives the same as starting over.
    EXPECT_EQ(gif.ReadFrame(file, 1), kGifMore);
    EXPECT_EQ(gif.ReadNextFrame(file), kGifTrailer);
    EXPECT_EQ(gif.FrameRaster().pixels[0], 2);
}

// Cut files show every frame that has picture data; only a frame without any fails.
TEST(GifToBmpTest, BrokenAndCutFilesKeepEveryFrameWithPictureData) {
    auto build = [](auto edit, size_t cut = 0) {
        GifSpec s = TwoFrames();
        edit(s);
        auto file = test::BuildGif(s);
        file.resize(file.size() - cut);
        return file;
    };
    auto same = [](GifSpec&) {};
    auto noTrailer = [](GifSpec& s) { s.trailer = false; };
    auto single = [](GifSpec& s) { s.frames.resize(1); };
    auto noData = [](GifSpec& s) { s.frames.back().codes = std::vector<uint16_t>{}; };
    auto badVersion = build(same);
    badVersion[4] = '8';
    auto extensionCut = build(noTrailer);
    extensionCut.insert(extensionCut.end(), {0x21, 0xF9, 4, 0});

    const struct {
        const char* what;
        std::vector<uint8_t> file;
        Status status;
        int frames;
    } cases[] = {
            {"no trailer", build(noTrailer), Status::Ok, 2},
            {"single frame, no trailer", build([](GifSpec& s) { s.frames.resize(1), s.trailer = false; }), Status::Ok,
             1},
            {"last sub-block longer than the file", build(same, 3), Status::Ok, 2},
            {"extension cut after the last frame", extensionCut, Status::Ok, 2},
            {"frame 2 cut before its data", build(noData, 2), Status::Ok, 1},
            {"single frame cut before its data", build([&](GifSpec& s) { single(s), noData(s); }, 2), Status::BadData,
             0},
            {"GIF88a", badVersion, Status::BadData, 0},
            {"five bytes", {'G', 'I', 'F', '8', '9'}, Status::BadData, 0},
            {"minimum code size 12 on frame 2", build([](GifSpec& s) { s.frames[1].minCodeSize = 12; }), Status::Ok, 1},
            {"minimum code size 12 on frame 1", build([](GifSpec& s) { s.frames[0].minCodeSize = 12; }),
             Status::BadData, 0},
    };

    for (const auto& c : cases) {
        CGifToBmp gif;
        EXPECT_EQ(gif.Read(c.file), c.status) << c.what;
        EXPECT_EQ(gif.FrameCount(), c.frames) << c.what;
        if (c.frames == 2) {
            EXPECT_EQ(PixelAt(gif.animation().CanvasImage(1), 1, 0), kGreen) << c.what;
        }
    }
}

TEST(GifToBmpTest, PlaybackTimes) {
    for (auto [delay, ms] : {std::pair{0, 100}, {4, 100}, {5, 50}, {30, 300}, {50, 300}}) {
        EXPECT_EQ(GifAnimation::PlaybackDelayMs(static_cast<uint16_t>(delay)), ms) << delay;
    }
}

TEST(GifToBmpTest, TransparencyAndDisposalAcrossFrames) {
    // Frame 1: index 0 transparent, only the middle pixel drawn. Frame 2: its disposal 2
    // starts from the background colour. Frame 3 has no control block: the one before
    // frame 2 does not carry over, so no transparency (black drawn), no disposal, no delay.
    GifSpec s = Screen(3, 1,
                       {MakeFrame(0, 0, 3, 1, {1, 1, 1}, 1), MakeFrame(0, 0, 3, 1, {0, 2, 0}, 1),
                        MakeFrame(1, 0, 2, 1, {1, 0}, 2), MakeFrame(0, 0, 2, 1, {0, 2})});
    s.frames[1].transparent = 0;
    s.frames[2].transparent = 0;
    s.frames[2].delay = 30;
    const auto file = test::BuildGif(s);
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(file), Status::Ok);
    ASSERT_EQ(gif.FrameCount(), 4);
    const Bgr expected[4][3] = {
            {kRed, kRed, kRed}, {kRed, kGreen, kRed}, {kBlue, kRed, kBlue}, {kBlack, kGreen, kBlue}};
    for (size_t k = 0; k < 4; ++k) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(gif.animation().CanvasImage(k), x, 0), expected[k][x]) << "frame " << k << " x " << x;
        }
    }
    EXPECT_EQ(gif.animation().Frame(2).delay, 30);
    EXPECT_EQ(gif.animation().Frame(3).delay, 0);
    ASSERT_EQ(gif.ReadFrame(file, 4), kGifTrailer);
    EXPECT_FALSE(gif.Control().hasTransparency);
    EXPECT_EQ(gif.Control().disposal, 0);
}

TEST(GifToBmpTest, LzwCornerCases) {
    // 300 is far beyond the table: entry 259 links to it; when entry 300 is made right
    // after code 259, it links back, and code 300 then runs in a circle.
    std::vector<uint16_t> circular = {256, 1, 300, 259};
    circular.insert(circular.end(), 39, 1);
    circular.insert(circular.end(), {259, 1, 300, 257});

    const struct {
        const char* what;
        std::vector<uint16_t> codes;  // 9-bit codes, minimum code size 8
        Status status;
        std::vector<uint8_t> pixels;  // first row of a 4 x 200 frame
    } cases[] = {
            // 258 = the string of code 1 plus its first byte: "1 1".
            {"code equal to the next free entry", {256, 1, 258, 257}, Status::Ok, {1, 1, 1, 0}},
            {"clear codes mid-stream", {256, 1, 256, 2, 256, 256, 3, 257}, Status::Ok, {1, 2, 3, 0}},
            {"stream runs out", {256, 2}, Status::Ok, {2, 0, 0, 0}},
            {"circular chain", circular, Status::BadData, {}},
    };

    for (const auto& c : cases) {
        GifSpec s = Screen(4, 200, {MakeFrame(0, 0, 4, 200, {})});
        s.frames[0].codes = c.codes;
        const auto file = test::BuildGif(s);
        CGifToBmp gif;
        EXPECT_EQ(gif.Read(file), c.status) << c.what;
        if (c.status == Status::Ok) {
            ASSERT_EQ(gif.ReadFrame(file, 1), kGifTrailer) << c.what;
            EXPECT_EQ(std::vector<uint8_t>(gif.FrameRaster().pixels, gif.FrameRaster().pixels + 4), c.pixels) << c.what;
        }
    }
}

TEST(GifToBmpTest, NegativeFramePositionRefusesFirstFrameOnly) {
    GifSpec s = TwoFrames();
    s.frames[1].left = 0xFFFF;  // reads as -1
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(test::BuildGif(s)), Status::Ok);
    EXPECT_EQ(gif.FrameCount(), 1);
    s.frames[0].left = 0xFFFF;
    EXPECT_EQ(gif.Read(test::BuildGif(s)), Status::BadData);
}

// Compositing on demand must give the canvases of compositing at once: the command-line
// decoder's road (one frame wanted) and long animations (canvases beyond the budget).
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
    GifSpec s = Screen(4, 2, {});
    for (int k = 0; k < frames; ++k) {
        const auto i = static_cast<uint8_t>(k % 4);
        s.frames.push_back(MakeFrame(k % 3, k % 2, 4 - k % 3, 2 - k % 2, {i, 0, 1, i, 2, 3, i, 1}, k % 3));
        if (k % 2 == 1) {
            s.frames.back().transparent = 0;
        }
    }
    return s;
}

TEST(GifToBmpTest, OneFrameRoadMatchesTheViewsRoad) {
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
    // And the shared test files, when present.
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(test::TestDataDir() + "/gif", missing)) {
        if (entry.path().extension() == ".gif" && entry.file_size() < (size_t{4} << 20)) {
            ExpectSameAsFullRoad(entry.path().filename().string(), test::ReadHostFile(entry.path().string()));
        }
    }
}

TEST(GifToBmpTest, LongAnimationsPlayEveryFrameTheBudgetHolds) {
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
    for (const size_t i : std::initializer_list<size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 7, 2, 9, 0, 5}) {
        EXPECT_EQ(CanvasBytes(gif.animation().CanvasImage(i)), CanvasBytes(all.animation().CanvasImage(i))) << i;
    }
    ExpectSameAsFullRoad("long chain", file);
}

TEST(GifToBmpTest, HugeFramesOnATinyScreenCostTheScreen) {
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

// Every frame of files ImageMagick writes, composited, against its own coalesced frames.
TEST(GifToBmpTest, MatchesReferenceDecoderOnFilesItWrites) {
    const std::string dir = test::MakeScratchDir("gif-reference");

    const struct {
        const char* name;
        const char* command;
    } cases[] = {
            {"plasma.gif", "convert -size 61x37 plasma:fractal -seed 7 -colors 200 "},
            {"interlaced.gif", "convert -size 50x33 gradient:red-blue -interlace GIF -colors 64 "},
            {"anim.gif", "convert -size 40x30 xc:red -size 40x30 xc:green -size 40x30 xc:blue -delay 5 "},
    };

    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name;
        if (std::system((std::string(c.command) + path + " 2>/dev/null").c_str()) != 0) {
            GTEST_SKIP() << "ImageMagick not available";
        }
        OpenedPicture pic;
        ASSERT_EQ(OpenPictureFile(ProgramPathFromHost(path), pic), Status::Ok) << c.name;
        const auto* gif = dynamic_cast<const CGifToBmp*>(pic.reader.get());
        ASSERT_NE(gif, nullptr);
        ASSERT_EQ(std::system(("convert '" + path + "' -coalesce '" + dir + "/f%d.ppm'").c_str()), 0);
        for (size_t k = 0; k < gif->animation().FrameCount(); ++k) {
            test::RgbPicture ref;
            ASSERT_TRUE(test::ReferenceDecode(dir + "/f" + std::to_string(k) + ".ppm", ref)) << c.name;
            const ImageBuffer img = gif->animation().CanvasImage(k);
            ASSERT_EQ(img.width, ref.width);
            ASSERT_EQ(img.height, ref.height);
            int mismatches = 0;
            for (int i = 0; i < img.width * img.height; ++i) {
                const Bgr p = PixelAt(img, i % img.width, i / img.width);
                const uint8_t* r = &ref.rgb[3 * static_cast<size_t>(i)];
                mismatches += (p.r != r[0] || p.g != r[1] || p.b != r[2]) ? 1 : 0;
            }
            EXPECT_EQ(mismatches, 0) << c.name << " frame " << k;
        }
    }
}

}  // namespace
}  // namespace pv
