// The GIF reader and the view's compositing: frame walk results, interlacing, broken and
// cut files, LZW corner cases, graphic control blocks, transparency and disposal, and the
// mends (code sizes, clipping, unreached rows, indices beyond the palette).
#include <gtest/gtest.h>

#include "GifBuilder.h"
#include "ReferenceDecode.h"
#include "TestPaths.h"
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

TEST(GifToBmpTest, DelaysAndPlaybackTimes) {
    const int delays[] = {0, 4, 5, 30, 50};
    const int playMs[] = {100, 100, 50, 300, 300};
    GifSpec s = Screen(1, 1, {});
    for (int d : delays) {
        s.frames.push_back(MakeFrame(0, 0, 1, 1, {1}, 1));
        s.frames.back().delay = d;
    }
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(test::BuildGif(s)), Status::Ok);
    ASSERT_EQ(gif.FrameCount(), 5);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(gif.animation().Frame(i).delay, delays[i]);
        EXPECT_EQ(GifAnimation::PlaybackDelayMs(gif.animation().Frame(i).delay), playMs[i]) << delays[i];
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
            {kRed, kRed, kRed},
            {kRed, kGreen, kRed},
            {kBlue, kRed, kBlue},
            {kBlack, kGreen, kBlue},
    };
    for (size_t k = 0; k < 4; ++k) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(gif.animation().CanvasImage(k), x, 0), expected[k][x]) << "frame " << k << " x " << x;
        }
    }
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
            for (int y = 0; y < img.height; ++y) {
                for (int x = 0; x < img.width; ++x) {
                    const Bgr p = PixelAt(img, x, y);
                    const uint8_t* r = &ref.rgb[3 * static_cast<size_t>(y * img.width + x)];
                    mismatches += (p.r != r[0] || p.g != r[1] || p.b != r[2]) ? 1 : 0;
                }
            }
            EXPECT_EQ(mismatches, 0) << c.name << " frame " << k;
        }
    }
}

}  // namespace
}  // namespace pv
