// The BMP reader, the row-padding rule and the class heaps.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/BmpToBmp.h"
#include "imaging/ClassHeap.h"

namespace pv {
namespace {

using test::BuildBmp;
using test::Bytes;

// Palette entry i of the builder.
Bgr E(uint8_t i) {
    return {i, static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x55)};
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
    ASSERT_EQ(reader.Read(BuildBmp(
                      {.width = 1, .height = 3, .fileRows = {{1, 2, 3, 0xA}, {4, 5, 6, 0xB}, {7, 8, 9, 0xC}}})),
              Status::Ok);
    const ImageBuffer& img = reader.image();
    EXPECT_EQ(img.stride, 4u);
    EXPECT_EQ(img.palette, nullptr);
    EXPECT_EQ(Bytes(img.pixels, img.pixels + 12), (Bytes{7, 8, 9, 0xC, 4, 5, 6, 0xB, 1, 2, 3, 0xA}));
}

TEST(BmpToBmpTest, PalettesOrientationAndShortFiles) {
    test::ExpectReads<CBmpToBmp>({
            {"colours-used 0 means 256 entries",
             BuildBmp({.height = 1, .bitsPerPixel = 8, .paletteEntries = 256, .fileRows = {{0, 255, 0, 0}}}),
             {E(0), E(255)}},
            {"indices past a 3-entry palette read black",
             BuildBmp({.height = 1,
                       .bitsPerPixel = 8,
                       .coloursUsed = 3,
                       .paletteEntries = 3,
                       .fileRows = {{2, 200, 0, 0}}}),
             {E(2), {0, 0, 0}}},
            {"a 124-byte header puts the palette after it",
             BuildBmp({.height = 1,
                       .bitsPerPixel = 8,
                       .coloursUsed = 3,
                       .headerSize = 124,
                       .paletteEntries = 3,
                       .fileRows = {{1, 0, 0, 0}}}),
             {E(1), E(0)}},
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
    test::ExpectReads<CBmpToBmp>({
            {"1 bit", BuildBmp({.bitsPerPixel = 1}), {}, Status::Unsupported},
            {"4 bits", BuildBmp({.bitsPerPixel = 4}), {}, Status::Unsupported},
            {"16 bits", BuildBmp({.bitsPerPixel = 16}), {}, Status::Unsupported},
            {"32 bits", BuildBmp({.bitsPerPixel = 32}), {}, Status::Unsupported},
            {"run-length", BuildBmp({.bitsPerPixel = 8, .compression = 1}), {}, Status::Unsupported},
            {"OS/2 header", BuildBmp({.headerSize = 12}), {}, Status::Unsupported},
            {"zero width", BuildBmp({.width = 0}), {}, Status::BadHeader},
            {"negative width", BuildBmp({.width = -5}), {}, Status::BadHeader},
            {"zero height", BuildBmp({.height = 0}), {}, Status::BadHeader},
            {"most negative height", BuildBmp({.height = INT32_MIN}), {}, Status::BadHeader},
            {"3 000 000 x 2 000 000", BuildBmp({.width = 3000000, .height = 2000000}), {}, Status::TooLarge},
            {"8-bit rows past the budget",
             BuildBmp({.width = INT32_MAX, .height = 1, .bitsPerPixel = 8}),
             {},
             Status::TooLarge},
            {"palette of 257", BuildBmp({.bitsPerPixel = 8, .coloursUsed = 257}), {}, Status::BadHeader},
            {"palette that overflows", BuildBmp({.bitsPerPixel = 8, .coloursUsed = 0x40000001}), {}, Status::BadHeader},
            {"rows past the end", BuildBmp({}), {}, Status::Truncated},
            {"four bytes", Bytes{'B', 'M', 0, 0}, {}, Status::Truncated},
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

}  // namespace
}  // namespace pv
