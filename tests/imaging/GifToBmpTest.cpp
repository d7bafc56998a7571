// The GIF reader and the view's compositing: frame walk results, interlacing, broken
// files, LZW corner cases, transparency and disposal across frames, and the mends (code
// sizes, clipping, unreached rows, indices beyond the palette, the decode budget).
#include <filesystem>
#include <gtest/gtest.h>

#include "GifBuilder.h"
#include "ReferenceDecode.h"
#include "TestPaths.h"
#include "imaging/GifToBmp.h"
#include "imaging/OpenPicture.h"
#include "platform/FileSystem.h"

namespace pv {
namespace {

using test::GifFrameSpec;
using test::GifSpec;

constexpr Bgr kWhite{255, 255, 255};
constexpr Bgr kBlack{0, 0, 0};
constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kGreen{0, 255, 0};
constexpr Bgr kBlue{255, 0, 0};

GifFrameSpec Frame(int left, int top, int width, int height, std::vector<uint8_t> indices) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.indices = std::move(indices);
    return f;
}

Bgr CanvasPixel(const CGifToBmp& gif, size_t frame, int x, int y) {
    return PixelAt(gif.animation().CanvasImage(frame), x, y);
}

TEST(GifToBmpTest, SingleFrameIsStillPictureWhiteOutsideItsRectangle) {
    GifSpec s;
    s.width = 4;
    s.height = 3;
    s.globalPalette = test::FourColours();
    // The transparent index is drawn on frame 0 like any other colour.
    GifFrameSpec f = Frame(1, 1, 2, 2, {1, 2, 3, 0});
    f.disposal = 0;
    f.transparent = 0;
    s.frames = {f};
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(test::BuildGif(s)), Status::Ok);
    const ImageBuffer& img = gif.image();
    EXPECT_EQ(gif.FrameCount(), 1);
    EXPECT_EQ(img.width, 4);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_EQ(img.stride, RowStride(24, 4));
    EXPECT_EQ(PixelAt(img, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(img, 3, 2), kWhite);
    EXPECT_EQ(PixelAt(img, 1, 1), kRed);
    EXPECT_EQ(PixelAt(img, 2, 1), kGreen);
    EXPECT_EQ(PixelAt(img, 1, 2), kBlue);
    EXPECT_EQ(PixelAt(img, 2, 2), kBlack);
}

TEST(GifToBmpTest, InterlacedRowsLandInPassOrder) {
    struct Case {
        int height;
        std::vector<int> rowOrder;  // raster row of each delivered row
    } cases[] = {
            {1, {0}},
            {2, {0, 1}},
            {9, {0, 8, 4, 2, 6, 1, 3, 5, 7}},
    };

    for (const Case& c : cases) {
        GifSpec s;
        s.width = 1;
        s.height = c.height;
        s.globalPalette.resize(3 * 16, 0);
        GifFrameSpec f = Frame(0, 0, 1, c.height, {});
        for (int i = 0; i < c.height; ++i) {
            f.indices.push_back(static_cast<uint8_t>(i + 1));
            s.globalPalette[3 * static_cast<size_t>(i + 1)] = static_cast<uint8_t>(10 * (i + 1));
        }
        f.interlaced = true;
        s.frames = {f};
        CGifToBmp gif;
        const auto file = test::BuildGif(s);
        ASSERT_EQ(gif.ReadFrame(file, 1), kGifTrailer) << c.height;
        const ImageBuffer raster = gif.FrameRaster();
        for (size_t i = 0; i < c.rowOrder.size(); ++i) {
            EXPECT_EQ(raster.pixels[raster.stride * static_cast<size_t>(c.rowOrder[i])], i + 1)
                    << "height " << c.height << " delivered row " << i;
        }
    }
}

GifSpec TwoFrames() {
    GifSpec s;
    s.width = 2;
    s.height = 1;
    s.globalPalette = test::FourColours();
    s.frames = {Frame(0, 0, 2, 1, {1, 1}), Frame(0, 0, 2, 1, {2, 2})};
    return s;
}

TEST(GifToBmpTest, FrameReadResults) {
    const auto file = test::BuildGif(TwoFrames());
    CGifToBmp gif;
    EXPECT_EQ(gif.ReadFrame(file, 1), kGifMore);
    EXPECT_TRUE(gif.FrameDecoded());
    EXPECT_EQ(gif.ReadFrame(file, 2), kGifTrailer);
    EXPECT_TRUE(gif.FrameDecoded());
    EXPECT_EQ(gif.FrameRaster().pixels[0], 2);
    // Beyond the last frame: the trailer, nothing decoded.
    EXPECT_EQ(gif.ReadFrame(file, 3), kGifTrailer);
    EXPECT_FALSE(gif.FrameDecoded());
    // Continuing the walk gives the same as starting over.
    EXPECT_EQ(gif.ReadFrame(file, 1), kGifMore);
    EXPECT_EQ(gif.ReadNextFrame(file), kGifTrailer);
    EXPECT_EQ(gif.FrameRaster().pixels[0], 2);
}

TEST(GifToBmpTest, BrokenFilesKeepTheFramesBeforeTheBrokenOne) {
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        Status status;
        int frames;
    };

    GifSpec noTrailer = TwoFrames();
    noTrailer.trailer = false;
    GifSpec oneNoTrailer = TwoFrames();
    oneNoTrailer.frames.resize(1);
    oneNoTrailer.trailer = false;
    auto cutInSecond = test::BuildGif(TwoFrames());
    cutInSecond.resize(cutInSecond.size() - 4);
    GifSpec badVersion = TwoFrames();
    auto badVersionFile = test::BuildGif(badVersion);
    badVersionFile[4] = '8';
    GifSpec bigCode = TwoFrames();
    bigCode.frames[1].minCodeSize = 12;
    GifSpec bigCodeFirst = TwoFrames();
    bigCodeFirst.frames[0].minCodeSize = 12;
    const Case cases[] = {
            {"no trailer", test::BuildGif(noTrailer), Status::Ok, 1},
            {"single frame, no trailer", test::BuildGif(oneNoTrailer), Status::BadData, 0},
            {"cut inside frame 2", cutInSecond, Status::Ok, 1},
            {"GIF88a", badVersionFile, Status::BadData, 0},
            {"five bytes", {'G', 'I', 'F', '8', '9'}, Status::BadData, 0},
            {"minimum code size 12 on frame 2", test::BuildGif(bigCode), Status::Ok, 1},
            {"minimum code size 12 on frame 1", test::BuildGif(bigCodeFirst), Status::BadData, 0},
    };
    for (const Case& c : cases) {
        CGifToBmp gif;
        EXPECT_EQ(gif.Read(c.file), c.status) << c.what;
        EXPECT_EQ(gif.FrameCount(), c.frames) << c.what;
    }
}

TEST(GifToBmpTest, DelaysAndPlaybackTimes) {
    const int delays[] = {0, 4, 5, 30, 50};
    const int playMs[] = {100, 100, 50, 300, 300};
    GifSpec s;
    s.width = 1;
    s.height = 1;
    s.globalPalette = test::FourColours();
    for (int d : delays) {
        GifFrameSpec f = Frame(0, 0, 1, 1, {1});
        f.disposal = 1;
        f.delay = d;
        s.frames.push_back(f);
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
    GifSpec s;
    s.width = 3;
    s.height = 1;
    s.background = 3;  // blue
    s.globalPalette = test::FourColours();
    GifFrameSpec f0 = Frame(0, 0, 3, 1, {1, 1, 1});
    f0.disposal = 1;
    // Index 0 is transparent: only the middle pixel is drawn over frame 0's red.
    GifFrameSpec f1 = Frame(0, 0, 3, 1, {0, 2, 0});
    f1.disposal = 1;
    f1.transparent = 0;
    // Disposal 2 of this frame: the canvas starts as the background colour.
    GifFrameSpec f2 = Frame(1, 0, 1, 1, {1});
    f2.disposal = 2;
    // No transparency: every pixel drawn, black included; starts from frame 2's canvas.
    GifFrameSpec f3 = Frame(2, 0, 1, 1, {0});
    f3.disposal = 0;
    s.frames = {f0, f1, f2, f3};
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(test::BuildGif(s)), Status::Ok);
    ASSERT_EQ(gif.FrameCount(), 4);
    const Bgr expected[4][3] = {
            {kRed, kRed, kRed},
            {kRed, kGreen, kRed},
            {kBlue, kRed, kBlue},
            {kBlue, kRed, kBlack},
    };
    for (size_t k = 0; k < 4; ++k) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(CanvasPixel(gif, k, x, 0), expected[k][x]) << "frame " << k << " x " << x;
        }
    }
}

TEST(GifToBmpTest, LzwCornerCases) {
    struct Case {
        const char* what;
        std::vector<uint16_t> codes;  // 9-bit codes, minimum code size 8
        Status status;
        std::vector<uint8_t> pixels;  // first row of a 4 x 200 frame
    };

    // 300 is far beyond the table: entry 259 links to it; when entry 300 is made right
    // after code 259, it links back, and code 300 then runs in a circle.
    std::vector<uint16_t> circular = {256, 1, 300, 259};
    circular.insert(circular.end(), 39, 1);
    circular.insert(circular.end(), {259, 1, 300, 257});
    const Case cases[] = {
            // 258 = the string of code 1 plus its first byte: "1 1".
            {"code equal to the next free entry", {256, 1, 258, 257}, Status::Ok, {1, 1, 1, 0}},
            {"clear codes mid-stream", {256, 1, 256, 2, 256, 256, 3, 257}, Status::Ok, {1, 2, 3, 0}},
            {"stream runs out", {256, 2}, Status::Ok, {2, 0, 0, 0}},
            {"circular chain", circular, Status::BadData, {}},
    };
    for (const Case& c : cases) {
        GifSpec s;
        s.width = 4;
        s.height = 200;
        s.globalPalette = test::FourColours();
        GifFrameSpec f = Frame(0, 0, 4, 200, {});
        f.codes = c.codes;
        s.frames = {f};
        CGifToBmp gif;
        const auto file = test::BuildGif(s);
        EXPECT_EQ(gif.Read(file), c.status) << c.what;
        if (c.status == Status::Ok) {
            ASSERT_EQ(gif.ReadFrame(file, 1), kGifTrailer) << c.what;
            for (size_t x = 0; x < c.pixels.size(); ++x) {
                EXPECT_EQ(gif.FrameRaster().pixels[x], c.pixels[x]) << c.what << " x " << x;
            }
        }
    }
}

TEST(GifToBmpTest, MendedEdges) {
    GifSpec s;
    s.width = 3;
    s.height = 3;
    s.globalPalette = test::FourColours();
    // Reaches two pixels beyond the screen both ways: clipped. Index 9 is beyond the
    // 4-entry table and reads black. Only 5 of 9 pixels are coded: the rest are index 0.
    GifFrameSpec f = Frame(1, 1, 4, 4, {9, 1, 2, 3, 3});
    f.localPalette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    s.frames = {f};
    CGifToBmp gif;
    const auto file = test::BuildGif(s);
    ASSERT_EQ(gif.Read(file), Status::Ok);
    const ImageBuffer& img = gif.image();
    EXPECT_EQ(PixelAt(img, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(img, 1, 1), kBlack);
    EXPECT_EQ(PixelAt(img, 2, 1), kRed);
    EXPECT_EQ(PixelAt(img, 1, 2), kBlue);   // second row starts at the fifth index
    EXPECT_EQ(PixelAt(img, 2, 2), kBlack);  // never coded: index 0
    ASSERT_EQ(gif.ReadFrame(file, 1), kGifTrailer);
    EXPECT_EQ(gif.FrameRaster().pixels[gif.FrameRaster().stride * 3 + 3], 0);
}

TEST(GifToBmpTest, CanvasesStayWithinTheDecodeBudget) {
    // A few hundred bytes claiming canvases of about 600 MB each: one fits, the rest are
    // dropped as a failing frame would be.
    GifSpec s;
    s.width = 14200;
    s.height = 14200;
    s.globalPalette = test::FourColours();
    s.frames = {Frame(0, 0, 1, 1, {1}), Frame(0, 0, 1, 1, {2}), Frame(0, 0, 1, 1, {3})};
    CGifToBmp gif;
    ASSERT_EQ(gif.Read(test::BuildGif(s)), Status::Ok);
    EXPECT_EQ(gif.FrameCount(), 1);

    GifSpec huge = s;
    huge.width = 65535;
    huge.height = 65535;
    CGifToBmp gif2;
    EXPECT_EQ(gif2.Read(test::BuildGif(huge)), Status::TooLarge);
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
    std::string dir = test::MakeScratchDir("gif-reference");

    struct Case {
        const char* name;
        const char* command;
    } cases[] = {
            {"plasma.gif", "convert -size 61x37 plasma:fractal -seed 7 -colors 200 "},
            {"interlaced.gif", "convert -size 50x33 gradient:red-blue -interlace GIF -colors 64 "},
            {"anim.gif", "convert -size 40x30 xc:red -size 40x30 xc:green -size 40x30 xc:blue -delay 5 "},
    };

    for (const Case& c : cases) {
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
                    const uint8_t* r = &ref.rgb[(static_cast<size_t>(y) * static_cast<size_t>(img.width) +
                                                 static_cast<size_t>(x)) *
                                                3];
                    mismatches += (p.r != r[0] || p.g != r[1] || p.b != r[2]) ? 1 : 0;
                }
            }
            EXPECT_EQ(mismatches, 0) << c.name << " frame " << k;
        }
    }
}

}  // namespace
}  // namespace pv
