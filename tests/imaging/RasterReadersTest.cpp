// The BMP, PCX, TGA, PSD, ICO and CUR readers (pixels by layout, short data, refusals), the
// row-padding rule and the class heaps.
#include <algorithm>
#include <gtest/gtest.h>

#include "GifBuilder.h"
#include "ReaderFileBuilders.h"
#include "imaging/BmpToBmp.h"
#include "imaging/ClassHeap.h"
#include "imaging/CurToBmp.h"
#include "imaging/GifToBmp.h"
#include "imaging/IcoToBmp.h"
#include "imaging/OpenPicture.h"
#include "imaging/PcxToBmp.h"
#include "imaging/PsdToBmp.h"
#include "imaging/TgaToBmp.h"

namespace pv {
namespace {

using namespace test;
using enum Status;

// Palette entry i of the BMP and PCX builders.
Bgr E(uint8_t i) {
    return {i, static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x55)};
}

Bgr G(uint8_t v) {
    return {v, v, v};
}

TEST(RowStrideTest, PadsEveryDepthToFourBytes) {
    struct Case {
        int32_t bpp, width;
        uint32_t stride;
    } cases[] = {
            {1, 1, 4},   {1, 32, 4},  {1, 33, 8}, {4, 1, 4},  {4, 8, 4},  {4, 9, 8},      {8, 1, 4},
            {8, 4, 4},   {8, 5, 8},   {16, 1, 4}, {16, 2, 4}, {16, 3, 8}, {24, 1, 4},     {24, 4, 12},
            {24, 5, 16}, {32, 3, 12}, {32, 1, 4}, {2, 7, 4},  {2, 8, 8},  {24, 125, 376},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(RowStride(c.bpp, c.width), c.stride) << c.bpp << " bits, width " << c.width;
    }
}

TEST(BmpToBmpTest, RowsComeOutTopDownWithTheirPadding) {
    // Width 1: three pixel bytes and one padding byte a row; file row 0 is the bottom.
    CBmpToBmp reader;
    const Bytes file =
            BuildBmp({.width = 1, .height = 3, .fileRows = {{1, 2, 3, 0xA}, {4, 5, 6, 0xB}, {7, 8, 9, 0xC}}});
    ASSERT_EQ(reader.Read(file), Ok);
    const ImageBuffer& img = reader.image();
    EXPECT_EQ(std::pair(img.stride, img.palette), std::pair(4u, static_cast<const uint8_t*>(nullptr)));
    EXPECT_EQ(Bytes(img.pixels, img.pixels + 12), (Bytes{7, 8, 9, 0xC, 4, 5, 6, 0xB, 1, 2, 3, 0xA}));
}

TEST(BmpToBmpTest, PalettesOrientationAndShortFiles) {
    const auto pal8 = [](uint32_t used, uint32_t n, uint32_t header, const Bytes& row) {
        BmpSpec s{.height = 1, .bitsPerPixel = 8, .coloursUsed = used, .headerSize = header, .paletteEntries = n};
        s.fileRows = {row};
        return BuildBmp(s);
    };
    ExpectReads<CBmpToBmp>({
            {"colours-used 0 means 256 entries", pal8(0, 256, 40, {0, 255, 0, 0}), {E(0), E(255)}},
            {"indices past a 3-entry palette read black", pal8(3, 3, 40, {2, 200, 0, 0}), {E(2), {0, 0, 0}}},
            {"a 124-byte header puts the palette after it", pal8(3, 3, 124, {1, 0, 0, 0}), {E(1), E(0)}},
            {"a negative height is read top-down",
             BuildBmp({.width = 1, .height = -2, .fileRows = {{1, 1, 1, 0}, {2, 2, 2, 0}}}),
             {{1, 1, 1}, {2, 2, 2}}},
            // The bottom row whole, the next cut short, the top row never reached.
            {"a short file shows zero where the data ends",
             BuildBmp({.height = 3, .fileRows = {{9, 9, 9, 9, 9, 9, 0, 0}, {8, 8, 8}}}),
             {{}, {}, {8, 8, 8}, {}, {9, 9, 9}, {9, 9, 9}}},
    });
}

TEST(BmpToBmpTest, RefusesOrLeavesToThePictureObject) {
    ExpectReads<CBmpToBmp>({
            {"1 bit", BuildBmp({.bitsPerPixel = 1}), {}, Unsupported},
            {"4 bits", BuildBmp({.bitsPerPixel = 4}), {}, Unsupported},
            {"16 bits", BuildBmp({.bitsPerPixel = 16}), {}, Unsupported},
            {"32 bits", BuildBmp({.bitsPerPixel = 32}), {}, Unsupported},
            {"run-length", BuildBmp({.bitsPerPixel = 8, .compression = 1}), {}, Unsupported},
            {"OS/2 header", BuildBmp({.headerSize = 12}), {}, Unsupported},
            {"zero width", BuildBmp({.width = 0}), {}, BadHeader},
            {"negative width", BuildBmp({.width = -5}), {}, BadHeader},
            {"zero height", BuildBmp({.height = 0}), {}, BadHeader},
            {"most negative height", BuildBmp({.height = INT32_MIN}), {}, BadHeader},
            {"3 000 000 x 2 000 000", BuildBmp({.width = 3000000, .height = 2000000}), {}, TooLarge},
            {"8 bits, width INT32_MAX", BuildBmp({.width = INT32_MAX, .height = 1, .bitsPerPixel = 8}), {}, TooLarge},
            {"palette of 257", BuildBmp({.bitsPerPixel = 8, .coloursUsed = 257}), {}, BadHeader},
            {"palette that overflows", BuildBmp({.bitsPerPixel = 8, .coloursUsed = 0x40000001}), {}, BadHeader},
            {"rows past the end", BuildBmp({}), {}, Truncated},
            {"four bytes", Bytes{'B', 'M', 0, 0}, {}, Truncated},
    });
}

TEST(ClassHeapTest, HeapLivesWhileBlocksDo) {
    ClassHeap& heap = GetClassHeap(HeapId::Ico);
    ASSERT_EQ(heap.LiveCount(), 0u);
    {
        HeapBlock a;
        HeapBlock b;
        ASSERT_TRUE(a.Allocate(HeapId::Ico, 100, true));
        ASSERT_TRUE(b.Allocate(HeapId::Ico, 0, false));
        HeapBlock moved = std::move(a);
        EXPECT_TRUE(heap.Exists());
        EXPECT_EQ(heap.LiveCount(), 2u);
    }
    EXPECT_EQ(heap.LiveCount(), 0u);
    EXPECT_FALSE(heap.Exists());
}

TEST(ClassHeapTest, KeepsAReleasedBlockOnlyForAPictureNeedingHalfOfIt) {
    constexpr size_t kMiB = size_t{1} << 20;
    ClassHeap& heap = GetClassHeap(HeapId::Tga);
    HeapBlock block;
    ASSERT_TRUE(block.Allocate(HeapId::Tga, 8 * kMiB, false));
    uint8_t* const first = block.data();
    block.Reset();
    EXPECT_GE(heap.SpareBytes(), 8 * kMiB);
    ASSERT_TRUE(block.Allocate(HeapId::Tga, 5 * kMiB, false));  // more than half: reused
    EXPECT_EQ(block.data(), first);
    EXPECT_EQ(heap.SpareBytes(), 0u);
    block.Reset();
    ASSERT_TRUE(block.Allocate(HeapId::Tga, 3 * kMiB, false));  // less than half: let go
    EXPECT_EQ(heap.SpareBytes(), 0u);
    block.Reset();
    EXPECT_GE(heap.SpareBytes(), 3 * kMiB);
    {
        HeapBlock small;  // a small picture, of this format or another
        ASSERT_TRUE(small.Allocate(HeapId::Pcx, 100, false));
    }
    EXPECT_EQ(heap.SpareBytes(), 0u);
}

// --- PCX ---

TEST(PcxToBmpTest, RunsPaddingPlanesAndPalettes) {
    const Bytes planes = {10,   11, 12, 99,   20, 21, 22, 99, 30,   31, 32, 99,  // row 0: R, G, B
                          0xC3, 40, 98, 0xC4, 50, 60, 61, 62, 0xC1, 97};         // row 1
    ExpectReads<CPcxToBmp>({
            {"literal bytes", BuildPcx({.width = 3, .bytesPerLine = 3, .data = {1, 2, 3}}), {E(1), E(2), E(3)}},
            {"0xC1 0x05 is one pixel of 5", BuildPcx({.data = {0xC1, 5, 7}}), {E(5), E(7)}},
            {"a lone 0xC0 is the value 192", BuildPcx({.data = {0xC0, 0xC0}}), {E(192), E(192)}},
            {"padding columns are dropped",
             BuildPcx({.width = 3, .bytesPerLine = 4, .data = {1, 2, 3, 99}}),
             {E(1), E(2), E(3)}},
            {"a run into the padding stops at the width",
             BuildPcx({.bytesPerLine = 4, .data = {0xC4, 6}}),
             {E(6), E(6)}},
            {"a run stops at the line's end",
             BuildPcx({.height = 2, .data = {0xC5, 4, 8, 9}}),
             {E(4), E(4), E(8), E(9)}},
            {"three planes are red, green, blue, their padding left out",
             BuildPcx({.width = 3, .height = 2, .planes = 3, .bytesPerLine = 4, .data = planes, .palette = false}),
             {{30, 20, 10}, {31, 21, 11}, {32, 22, 12}, {60, 50, 40}, {61, 50, 40}, {62, 50, 40}}},
            {"no palette marker: grey",
             BuildPcx({.height = 2, .data = {1, 2, 3, 4}, .palette = false}),
             {G(1), G(2), G(3), G(4)}},
            // 200 starts a run of 8 threes, cut at the end of line 0; line 1 is never reached.
            {"data that ends early leaves black",
             BuildPcx({.height = 2, .data = {1, 200, 3}, .palette = false}),
             {G(1), G(3), G(0), G(0)}},
    });
}

TEST(PcxToBmpTest, RefusesWhatItCannotShow) {
    const Bytes data(64, 1);
    ExpectReads<CPcxToBmp>({
            {"1 bit a plane", BuildPcx({.width = 8, .bitsPerPlane = 1, .bytesPerLine = 1}), {}, Unsupported},
            {"4 bits a plane", BuildPcx({.width = 8, .bitsPerPlane = 4, .bytesPerLine = 4}), {}, Unsupported},
            {"2 planes", BuildPcx({.planes = 2, .data = data}), {}, Unsupported},
            {"4 planes", BuildPcx({.planes = 4, .data = data}), {}, Unsupported},
            {"line shorter than the width", BuildPcx({.width = 8, .bytesPerLine = 4, .data = data}), {}, BadHeader},
            {"beyond the budget", BuildPcx({.width = 65535, .height = 65535, .bytesPerLine = 65535}), {}, TooLarge},
            {"header only", Bytes(100, 0), {}, Truncated},
    });
}

TEST(PcxToBmpTest, ReadingAgainReplacesThePicture) {
    // The reader keeps its rows between reads of one size: nothing of the first may show.
    CPcxToBmp reader;
    ASSERT_EQ(reader.Read(BuildPcx({.height = 2, .data = {5, 6, 7, 8}})), Ok);
    ASSERT_EQ(reader.Read(BuildPcx({.height = 2, .data = {9}, .palette = false})), Ok);
    EXPECT_EQ(Pixels(reader.image()), (std::vector<Bgr>{G(9), G(0), G(0), G(0)}));
}

// --- TGA ---

constexpr Bgr kA{1, 2, 3}, kB{4, 5, 6}, kC{7, 8, 9}, kD{10, 11, 12};

TEST(TgaToBmpTest, EveryLayoutGivesItsPixels) {
    // A 2 x 2 picture A B / C D (top row first) stored in every way the reader knows.
    const std::vector<Bgr> abcd{kA, kB, kC, kD};
    const Bytes plain{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const auto two = [](uint8_t type, uint8_t descriptor, const Bytes& data) {
        return BuildTga({.imageType = type, .height = 2, .descriptor = descriptor, .data = data});
    };
    // 8-bit indices into a colour map of 15/16-bit (2 bytes) or 24-bit entries.
    const auto mapped = [](uint8_t type, uint16_t width, uint16_t first, uint8_t bits, const Bytes& map, Bytes data) {
        TgaSpec s{.imageType = type, .width = width, .bitsPerPixel = 8, .mapType = 1, .mapFirst = first};
        s.mapLength = static_cast<uint16_t>(map.size() / (bits == 24 ? 3 : 2));
        s.mapEntryBits = bits;
        s.map = map;
        s.data = std::move(data);
        return BuildTga(s);
    };
    // 16-bit pixels and map entries: five bits a channel, red highest, the top bit unused.
    const Bytes fiveBits{0, 0x7C, 0xE0, 3, 0x1F, 0, 0, 0x80};
    const std::vector<Bgr> rgbBlack{{0, 0, 248}, {0, 248, 0}, {248, 0, 0}, {0, 0, 0}};
    const Bytes map{10, 20, 30, 40, 50, 60};
    constexpr Bgr kM0{10, 20, 30}, kM1{40, 50, 60};
    ExpectReads<CTgaToBmp>({
            {"24-bit top-down", two(2, 0x20, plain), abcd},
            {"bit 5 clear: bottom row first", two(2, 0, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}), abcd},
            {"right-to-left columns", two(2, 0x30, {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9}), abcd},
            {"32-bit drops the fourth byte",
             BuildTga({.height = 2,
                       .bitsPerPixel = 32,
                       .data = {1, 2, 3, 255, 4, 5, 6, 0, 7, 8, 9, 128, 10, 11, 12, 1}}),
             abcd},
            {"run-length: 0x81 gives two", two(10, 0x20, {0x81, 1, 2, 3, 1, 7, 8, 9, 10, 11, 12}), {kA, kA, kC, kD}},
            {"run-length across rows", two(10, 0x20, {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 10, 11, 12}), abcd},
            {"run-length right-to-left", two(10, 0x30, {0x01, 4, 5, 6, 1, 2, 3, 0x81, 7, 8, 9}), {kA, kB, kC, kC}},
            {"the image ID and a colour map before true-colour pixels are skipped",
             BuildTga({.height = 2,
                       .id = {'h', 'i'},
                       .mapType = 1,
                       .mapLength = 3,
                       .map = Bytes(9, 0xEE),
                       .data = plain}),
             abcd},
            {"16-bit pixels", BuildTga({.width = 4, .bitsPerPixel = 16, .data = fiveBits}), rgbBlack},
            {"15-bit map entries", mapped(1, 4, 0, 15, fiveBits, {0, 1, 2, 3}), rgbBlack},
            // A raw header of 0 is one stored pixel, not an escape.
            {"8-bit run-length packets are plain", mapped(9, 3, 0, 24, map, {0x00, 1, 0x81, 0}), {kM1, kM0, kM0}},
            {"the first stored entry is index mapFirst", mapped(1, 3, 5, 24, map, {5, 6, 0}), {kM0, kM1, {}}},
            {"type 3 shows index i as grey",
             BuildTga({.imageType = 3, .width = 3, .bitsPerPixel = 8, .data = {0, 77, 255}}),
             {{0, 0, 0}, {77, 77, 77}, {255, 255, 255}}},
            {"type 11 uses the same ramp",
             BuildTga({.imageType = 11, .width = 3, .bitsPerPixel = 8, .data = {0x81, 77, 0x00, 200}}),
             {{77, 77, 77}, {77, 77, 77}, {200, 200, 200}}},
            {"short data leaves the rest black", two(2, 0x20, {1, 2, 3, 4}), {kA, {}, {}, {}}},
            {"run-length raw packet cut short", two(10, 0x20, {0x03, 1, 2, 3, 4, 5}), {kA, {}, {}, {}}},
            {"run-length without its run value", two(10, 0x20, {0x00, 1, 2, 3, 0x83, 4}), {kA, {}, {}, {}}},
    });
}

TEST(TgaToBmpTest, RefusesBadHeaders) {
    const Bytes data(6, 1);
    ExpectReads<CTgaToBmp>({
            {"map of 1024",
             BuildTga({.mapType = 1, .mapLength = 1024, .map = Bytes(3072, 0), .data = data}),
             {},
             BadHeader},
            {"map past the end", BuildTga({.mapType = 1, .mapLength = 1023, .map = Bytes(10, 0)}), {}, Truncated},
            {"12 bits per pixel", BuildTga({.bitsPerPixel = 12}), {}, Unsupported},
            {"image type 32", BuildTga({.imageType = 32}), {}, Unsupported},
            {"width 0", BuildTga({.width = 0}), {}, BadHeader},
            {"beyond the budget", BuildTga({.width = 65535, .height = 65535}), {}, TooLarge},
            {"17 bytes", Bytes(17, 0), {}, Truncated},
    });
}

// --- PSD ---

// A colour table whose entry 1 is red 10, green 20, blue 30 and entry 255 is red 255.
Bytes ColourTable() {
    Bytes t(768, 0);
    t[1] = 10;
    t[256 + 1] = 20;
    t[512 + 1] = 30;
    t[255] = 0xFF;
    return t;
}

TEST(PsdToBmpTest, PlanesByColourMode) {
    // 2 x 1 unless said otherwise; planes R = {1, 2}, G = {3, 4}, B = {5, 6}.
    const Bytes rgb{1, 2, 3, 4, 5, 6};
    const std::vector<Bgr> rgbPixels{{5, 3, 1}, {6, 4, 2}};
    const Bytes sixteen{0x12, 0x34, 0xAB, 0xCD, 0x56, 0x78, 0xEF, 0x01, 0x9A, 0xBC, 0x00, 0xFF};
    ExpectReads<CPsdToBmp>({
            {"raw RGB", BuildPsd({.data = rgb}), rgbPixels},
            {"a fourth channel, and every section skipped by its length",
             BuildPsd({.channels = 4,
                       .colourModeData = Bytes(3, 2),
                       .resources = Bytes(7, 1),
                       .layers = Bytes(5000, 0xAB),
                       .data = {1, 2, 3, 4, 5, 6, 7, 8}}),
             rgbPixels},
            // 0xFE repeats the next byte 3 times; 0x80 is nothing; the first packet crosses
            // from plane R's only row into plane G.
            {"PackBits runs, literals and the no-op header",
             BuildPsd({.compression = 1, .data = {0xFE, 0x10, 0x80, 0x02, 0x20, 0x30, 0x31, 0x00, 0x40}}),
             {{0x30, 0x10, 0x10}, {0x31, 0x20, 0x10}}},
            {"a run is cut where the planes end",
             BuildPsd({.compression = 1, .data = {0x81, 0x55, 0x81, 0x66}}),
             {G(0x55), G(0x55)}},
            {"16-bit channels keep their high byte",
             BuildPsd({.depth = 16, .data = sixteen}),
             {{0x9A, 0x56, 0x12}, {0x00, 0xEF, 0xAB}}},
            {"greyscale", BuildPsd({.channels = 1, .mode = 1, .data = {9, 200}}), {G(9), G(200)}},
            {"grey with alpha: plane 0",
             BuildPsd({.channels = 2, .mode = 1, .data = {9, 200, 50, 60}}),
             {G(9), G(200)}},
            {"duotone shows plane 0 as grey", BuildPsd({.mode = 8, .data = rgb}), {G(1), G(2)}},
            {"indexed through the colour-mode data",
             BuildPsd({.channels = 1, .mode = 2, .colourModeData = ColourTable(), .data = {1, 255}}),
             {{30, 20, 10}, {0, 0, 255}}},
            // Stored inverted (255 no ink): pure cyan, then half black; the fifth plane unused.
            {"CMYK is converted",
             BuildPsd({.channels = 5, .mode = 4, .data = {0, 255, 255, 255, 255, 255, 255, 127, 9, 9}}),
             {{255, 255, 0}, G(127)}},
            {"bitmap: 1 is black",
             BuildPsd({.channels = 1, .width = 10, .depth = 1, .mode = 0, .data = {0x81, 0x40}}),
             {G(0), G(255), G(255), G(255), G(255), G(255), G(255), G(0), G(255), G(0)}},
            {"compressed data that ends early leaves black",
             BuildPsd({.height = 2, .compression = 1, .data = {0x03, 1, 2, 3, 4, 0xFD, 7}}),
             {{0, 7, 1}, {0, 7, 2}, {0, 7, 3}, {0, 7, 4}}},
            {"raw data that ends early leaves black", BuildPsd({.data = {1, 2, 3}}), {{0, 3, 1}, {0, 0, 2}}},
    });
}

TEST(PsdToBmpTest, RefusesWhatItCannotShow) {
    const Bytes data(6, 1);
    Bytes pastTheEnd = BuildPsd({.data = data});
    pastTheEnd[26 + 3] = 0xFF;  // colour-mode data longer than the file
    // The rows of 30 000 x 11 930 at 16 bits fit the budget, not with the 60 000-byte line staged beside them.
    ExpectReads<CPsdToBmp>({
            {"signature", BuildPsd({.data = data, .signature = "7BPS"}), {}, NotThisFormat},
            {"version 2", BuildPsd({.data = data, .version = 2}), {}, Unsupported},
            {"multichannel", BuildPsd({.mode = 7, .data = data}), {}, Unsupported},
            {"Lab", BuildPsd({.mode = 9, .data = data}), {}, Unsupported},
            {"32 bits a channel", BuildPsd({.depth = 32, .data = data}), {}, Unsupported},
            {"1 bit outside bitmap mode", BuildPsd({.depth = 1, .data = data}), {}, Unsupported},
            {"ZIP compression", BuildPsd({.compression = 2, .data = data}), {}, Unsupported},
            {"CMYK without black", BuildPsd({.mode = 4, .data = data}), {}, BadHeader},
            {"no channels", BuildPsd({.channels = 0, .data = data}), {}, BadHeader},
            {"height 0", BuildPsd({.height = 0, .data = data}), {}, BadHeader},
            {"width 30 001", BuildPsd({.width = 30001, .data = data}), {}, BadHeader},
            {"67 108 871 x 5", BuildPsd({.width = 67108871, .height = 5, .data = data}), {}, BadHeader},
            {"30 000 x 30 000", BuildPsd({.width = 30000, .height = 30000, .data = data}), {}, TooLarge},
            {"16 bits", BuildPsd({.width = 30000, .height = 11930, .depth = 16, .data = data}), {}, TooLarge},
            {"a section past the end", pastTheEnd, {}, Truncated},
            {"20 bytes", Bytes(pastTheEnd.begin(), pastTheEnd.begin() + 20), {}, Truncated},
    });
}

// --- ICO and CUR: a strip of 64 x 64 cells ---

constexpr Bgr kGrey{216, 216, 216};

// Stored row r, column x of the images: index (x + r) % n, palette entry i = (i, 2i, 3i) for
// the indexed depths; (x, r, 99) for the direct ones.
Bgr Expected(uint16_t bits, unsigned x, unsigned r) {
    if (bits > 8) {
        return {static_cast<uint8_t>(x), static_cast<uint8_t>(r), 99};
    }
    const unsigned i = (x + r) % (1u << bits);
    return {static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i)};
}

IconEntrySpec MakeImage(uint8_t w, uint8_t h, uint16_t bits) {
    IconEntrySpec e{.width = w, .height = h, .headerWidth = w, .headerHeight = 2 * h, .bitCount = bits};
    for (unsigned i = 0; bits <= 8 && i < (1u << bits); ++i) {
        e.palette.push_back(Expected(bits, i, 0));
    }
    for (unsigned r = 0; r < h; ++r) {
        Bytes row(RowStride(bits, w), 0);
        for (unsigned x = 0, bit = 0; x < w; ++x, bit += bits) {
            if (bits <= 8) {  // indices packed from the high bits
                row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | ((x + r) % (1u << bits)) << (8 - bits - bit % 8));
            } else {  // blue, green, red and an alpha never shown
                const Bytes pixel{static_cast<uint8_t>(x), static_cast<uint8_t>(r), 99, 0x40};
                std::copy_n(pixel.begin(), bits / 8, row.begin() + bit / 8);
            }
        }
        e.rows.push_back(row);
    }
    e.rows.insert(e.rows.end(), h, Bytes(RowStride(1, w), 0xFF));  // the AND mask, never applied
    return e;
}

// Checks cell `cell` of the strip: the w x h image upright against the top or the bottom
// (its top-left 64 x 64 when larger), grey elsewhere.
void ExpectCell(const ImageBuffer& img, unsigned cell, unsigned w, unsigned h, uint16_t bits, bool top) {
    int wrong = 0;
    for (unsigned y = 0; y < 64; ++y) {
        for (unsigned x = 0; x < 64; ++x) {
            const unsigned firstRow = top ? 0 : 64 - h;
            const bool inside = x < w && y >= firstRow && y < firstRow + h;
            const unsigned stored = firstRow + h - 1 - y;  // rows are stored bottom-up
            const Bgr want = inside ? Expected(bits, x, stored) : kGrey;
            wrong += PixelAt(img, static_cast<int32_t>(64 * cell + x), static_cast<int32_t>(y)) == want ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0) << "cell " << cell;
}

// Icons sit at the bottom of their cells, cursors at the top; each file holds a 4-bit image
// and the case's, both of its size. Odd widths check the rows' padding, 32 bits that the
// alpha is not shown, 64 that the cell is filled, a cursor of 80 that its top-left 64 x 64 shows.
TEST(IconReadersTest, ImagesSitInTheirCells) {
    const struct {
        uint16_t type;  // 1 icon, 2 cursor
        uint8_t size;
        uint16_t bits;
    } cases[] = {{1, 48, 32}, {1, 5, 24}, {1, 32, 1},  {1, 3, 4},   {1, 7, 8}, {1, 64, 8}, {2, 32, 1},
                 {2, 16, 4},  {2, 24, 8}, {2, 20, 24}, {2, 48, 32}, {2, 9, 1}, {2, 80, 8}};

    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << +c.size << " x " << +c.size << ", " << c.bits);
        CIcoToBmp ico;
        CCurToBmp cur;
        PictureReader& reader = c.type == 1 ? static_cast<PictureReader&>(ico) : cur;
        const Bytes file = BuildIconFile(c.type, {MakeImage(c.size, c.size, 4), MakeImage(c.size, c.size, c.bits)});
        ASSERT_EQ(reader.Read(file), Ok);
        EXPECT_EQ(std::pair(reader.image().width, reader.image().height), std::pair(128, 64));
        ExpectCell(reader.image(), 0, c.size, c.size, 4, c.type == 2);
        ExpectCell(reader.image(), 1, c.size, c.size, c.bits, c.type == 2);
    }

    // Compressed, PNG and 16-bit images leave their cell grey; the next cell still shows.
    IconEntrySpec compressed = MakeImage(16, 16, 8);
    compressed.compression = 1;
    IconEntrySpec png;
    png.raw = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 1, 0, 0, 0, 1, 0};
    IconEntrySpec sixteen = MakeImage(16, 16, 24);
    sixteen.bitCount = 16;
    for (const auto& [what, entry] :
         {std::pair{"compressed", compressed}, std::pair{"PNG", png}, std::pair{"16-bit", sixteen}}) {
        SCOPED_TRACE(what);
        CIcoToBmp reader;
        ASSERT_EQ(reader.Read(BuildIconFile(1, {entry, MakeImage(8, 8, 4)})), Ok);
        ExpectCell(reader.image(), 0, 0, 0, 8, false);
        ExpectCell(reader.image(), 1, 8, 8, 4, false);
    }
}

TEST(IconReadersTest, RefusedFiles) {
    std::vector<IconEntrySpec> many(33, MakeImage(4, 4, 4));
    Bytes outside = BuildIconFile(1, {MakeImage(16, 16, 4)});
    outside[6 + 12] = 0xF0;  // image offset far past the end
    Bytes hugeSize = BuildIconFile(1, {MakeImage(16, 16, 4)});
    hugeSize[6 + 8 + 2] = 0x10;  // image size 1 048 576 + its low bytes
    IconEntrySpec tall = MakeImage(16, 16, 4);
    tall.headerHeight = 2 * 65;
    Bytes shortDirectory = {0, 0, 1, 0, 2, 0, 16, 16, 0, 0};
    Bytes bogusCount = {0, 0, 2, 0, 0xFF, 0xFF};

    struct Case {
        const char* what;
        Bytes file;
        bool icon;
        Status expected;
    } cases[] = {
            {"33 icons", BuildIconFile(1, many), true, BadHeader},
            {"33 cursors", BuildIconFile(2, many), false, BadHeader},
            {"image outside the file", outside, true, Truncated},
            {"cursor image outside the file", outside, false, Truncated},
            {"1 000 000 bytes or more", hugeSize, true, BadHeader},
            {"taller than 64", BuildIconFile(1, {tall}), true, BadHeader},
            {"icon directory past the end", shortDirectory, true, Truncated},
            {"cursor count 65535", bogusCount, false, BadHeader},
            {"no images", Bytes{0, 0, 1, 0, 0, 0}, true, BadHeader},
            {"no cursors", Bytes{0, 0, 2, 0, 0, 0}, false, BadHeader},
            {"five bytes", Bytes{0, 0, 1, 0, 1}, true, Truncated},
    };

    for (const auto& c : cases) {
        CIcoToBmp ico;
        CCurToBmp cur;
        PictureReader& reader = c.icon ? static_cast<PictureReader&>(ico) : cur;
        EXPECT_EQ(reader.Read(c.file), c.expected) << c.what;
        EXPECT_FALSE(reader.image().HasPicture()) << c.what;
    }
    // 32 images are still shown.
    CIcoToBmp ico;
    CCurToBmp cur;
    many.pop_back();
    EXPECT_EQ(ico.Read(BuildIconFile(1, many)), Ok);
    EXPECT_EQ(ico.image().width, 32 * 64);
    EXPECT_EQ(cur.Read(BuildIconFile(2, many)), Ok);
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// `times` copies of `pattern`.
Bytes Repeat(size_t times, const Bytes& pattern) {
    Bytes out;
    for (size_t i = 0; i < times; ++i) {
        out.insert(out.end(), pattern.begin(), pattern.end());
    }
    return out;
}

// A few kilobytes declaring a picture the format could not encode in them are refused
// before anything is allocated; a large picture that does compress that well still opens,
// and a file merely cut short opens with its missing rows black. The large pictures sit at
// the edge: 4000 x 4000 in one colour is 31 (PCX), 32 (TGA) and 61 (PSD) pixels a byte;
// 2400 x 2400 is just past the size always read, and its first 100 rows are there.
TEST(PictureInputBoundTest, RefusesWhatTheBytesCannotHold) {
    struct Case {
        const char* what;
        ReaderKind kind;
        Bytes file;
        Status status;
        Bgr top{}, bottom{};  // pixels (0, 0) and (0, height - 1) when shown
        int32_t maxFrames = 0;
    };

    const Bytes pcxLine = Repeat(63, {0xFF, 9}) + Bytes{0xC0 + 31, 9};
    GifSpec frames{2000, 2000, FourColours(), 0, {}};
    frames.frames.assign(400, MakeFrame(0, 0, 2000, 2000, {}));
    for (auto& f : frames.frames) {
        f.codes = std::vector<uint16_t>{256, 1, 257};
    }
    const std::vector<Case> cases = {
            {"PCX forged", ReaderKind::Pcx,
             BuildPcx({.width = 16000, .height = 16000, .bytesPerLine = 16000, .data = {0xFF, 7}}), BadHeader},
            {"PCX one colour", ReaderKind::Pcx,
             BuildPcx({.width = 4000, .height = 4000, .bytesPerLine = 4000, .data = Repeat(4000, pcxLine)}), Ok, E(9),
             E(9)},
            {"PCX cut", ReaderKind::Pcx,
             BuildPcx(
                     {.width = 2400, .height = 2400, .bytesPerLine = 2400, .data = Bytes(240000, 5), .palette = false}),
             Ok, G(5), G(0)},
            {"TGA forged", ReaderKind::Tga,
             BuildTga({.imageType = 10, .width = 16000, .height = 16000, .data = {0xFF, 1, 2, 3}}), BadHeader},
            {"TGA one colour",
             ReaderKind::Tga,
             BuildTga({.imageType = 10, .width = 4096, .height = 4000, .data = Repeat(128000, {0xFF, 1, 2, 3})}),
             Ok,
             {1, 2, 3},
             {1, 2, 3}},
            {"TGA cut", ReaderKind::Tga,
             BuildTga({.imageType = 3, .width = 2400, .height = 2400, .bitsPerPixel = 8, .data = Bytes(240000, 5)}), Ok,
             G(5), G(0)},
            {"PSD forged", ReaderKind::Psd,
             BuildPsd({.width = 30000, .height = 1000, .compression = 1, .data = {0x81, 9}}), BadHeader},
            {"PSD one colour", ReaderKind::Psd,
             BuildPsd({.channels = 1,
                       .width = 4000,
                       .height = 4000,
                       .mode = 1,
                       .compression = 1,
                       .data = Repeat(4000, Repeat(31, {0x81, 9}) + Bytes{0xE1, 9})}),
             Ok, G(9), G(9)},
            {"PSD cut", ReaderKind::Psd,
             BuildPsd({.channels = 1, .width = 2400, .height = 2400, .mode = 1, .data = Bytes(240000, 5)}), Ok, G(5),
             G(0)},
            {"BMP forged", ReaderKind::Bmp, BuildBmp({.width = 16000, .height = -16000, .fileRows = {Bytes(48000, 9)}}),
             BadHeader},
            {"BMP cut", ReaderKind::Bmp,
             BuildBmp({.width = 2400,
                       .height = -2400,
                       .bitsPerPixel = 8,
                       .paletteEntries = 256,
                       .fileRows = {Bytes(240000, 5)}}),
             Ok, E(5), E(0)},
            {"GIF forged", ReaderKind::Gif, BuildGif({16000, 16000, FourColours(), 0, {MakeFrame(0, 0, 1, 1, {1})}}),
             BadData},
            // 400 frames of 2000 x 2000 from 18 bytes each: the 7 226 bytes hold at most 19.7
            // million pixels, so beside the canvases the animation ends after 8 frames.
            {"GIF frames", ReaderKind::Gif, BuildGif(frames), Ok, {0, 0, 255}, {0, 0, 0}, 8},
    };
    for (const Case& c : cases) {
        OpenedPicture pic;
        const Status s = OpenPictureBytes(c.kind, c.file, pic);
        EXPECT_EQ(s, c.status) << c.what;
        if (s == Ok && c.status == Ok) {
            const ImageBuffer& img = pic.reader->image();
            EXPECT_EQ(std::pair(PixelAt(img, 0, 0), PixelAt(img, 0, img.height - 1)), std::pair(c.top, c.bottom))
                    << c.what;
        }
        if (s == Ok && c.maxFrames != 0) {
            EXPECT_EQ(dynamic_cast<CGifToBmp&>(*pic.reader).FrameCount(), c.maxFrames) << c.what;
        }
    }
}

}  // namespace
}  // namespace pv
