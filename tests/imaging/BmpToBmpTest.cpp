#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "imaging/BmpToBmp.h"
#include "imaging/ClassHeap.h"

namespace pv {
namespace {

using test::BmpSpec;
using test::BuildBmp;

TEST(RowStrideTest, PadsEveryDepthToFourBytes) {
    struct Case {
        int32_t bpp, width;
        uint32_t stride;
    } cases[] = {
            {1, 1, 4},   {1, 32, 4},  {1, 33, 8}, {4, 1, 4},  {4, 8, 4},  {4, 9, 8},  {8, 1, 4},
            {8, 4, 4},   {8, 5, 8},   {16, 1, 4}, {16, 2, 4}, {16, 3, 8}, {24, 1, 4}, {24, 4, 12},
            {24, 5, 16}, {32, 3, 12}, {32, 1, 4}, {2, 7, 4},  {2, 8, 8},
    };

    for (const Case& c : cases) {
        EXPECT_EQ(RowStride(c.bpp, c.width), c.stride) << c.bpp << " bits, width " << c.width;
    }
    EXPECT_EQ(RowStride(24, 125), ((125u * 24 + 31) / 32) * 4);
}

TEST(BmpToBmpTest, TwentyFourBitRowsComeOutTopDownWithPadding) {
    // Width 1: three pixel bytes and one padding byte per row; file row 0 is the bottom.
    BmpSpec fields;
    fields.width = 1;
    fields.height = 3;
    fields.fileRows = {{1, 2, 3, 0xAA}, {4, 5, 6, 0xBB}, {7, 8, 9, 0xCC}};
    auto file = BuildBmp(fields);
    CBmpToBmp reader;
    ASSERT_EQ(reader.Read(file), Status::Ok);
    const ImageBuffer& img = reader.image();
    EXPECT_EQ(img.width, 1);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_EQ(img.stride, 4u);
    EXPECT_EQ(img.palette, nullptr);
    const uint8_t expected[] = {7, 8, 9, 0xCC, 4, 5, 6, 0xBB, 1, 2, 3, 0xAA};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), img.pixels));
}

TEST(BmpToBmpTest, EightBitPaletteLengthAndPlacement) {
    // Colours-used 0 means 256 entries.
    BmpSpec fields;
    fields.bitsPerPixel = 8;
    fields.width = 2;
    fields.height = 1;
    fields.paletteEntries = 256;
    fields.fileRows = {{0, 255, 0, 0}};
    CBmpToBmp reader;
    ASSERT_EQ(reader.Read(BuildBmp(fields)), Status::Ok);
    EXPECT_EQ(PixelAt(reader.image(), 1, 0), (Bgr{255, 0, 255 ^ 0x55}));

    // Only 3 entries stored: indices past them read black, never memory past the block.
    fields.coloursUsed = 3;
    fields.paletteEntries = 3;
    fields.fileRows = {{2, 200, 0, 0}};
    ASSERT_EQ(reader.Read(BuildBmp(fields)), Status::Ok);
    EXPECT_EQ(PixelAt(reader.image(), 0, 0), (Bgr{2, 253, 2 ^ 0x55}));
    EXPECT_EQ(PixelAt(reader.image(), 1, 0), (Bgr{0, 0, 0}));

    // A 124-byte header puts the palette after it, not at offset 54.
    fields.headerSize = 124;
    fields.fileRows = {{1, 0, 0, 0}};
    ASSERT_EQ(reader.Read(BuildBmp(fields)), Status::Ok);
    EXPECT_EQ(PixelAt(reader.image(), 0, 0), (Bgr{1, 254, 1 ^ 0x55}));
}

TEST(BmpToBmpTest, NegativeHeightIsReadTopDownWithoutFlip) {
    BmpSpec fields;
    fields.width = 1;
    fields.height = -2;
    fields.fileRows = {{1, 1, 1, 0}, {2, 2, 2, 0}};
    CBmpToBmp reader;
    ASSERT_EQ(reader.Read(BuildBmp(fields)), Status::Ok);
    EXPECT_EQ(reader.image().height, 2);
    EXPECT_EQ(reader.image().pixels[0], 1);
    EXPECT_EQ(reader.image().pixels[4], 2);
}

TEST(BmpToBmpTest, UnusualFilesAreLeftToThePictureObject) {
    for (uint16_t bpp : {1, 4, 16, 32}) {
        BmpSpec fields;
        fields.bitsPerPixel = bpp;
        CBmpToBmp reader;
        EXPECT_EQ(reader.Read(BuildBmp(fields)), Status::Unsupported) << bpp;
    }
    BmpSpec rle;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    CBmpToBmp reader;
    EXPECT_EQ(reader.Read(BuildBmp(rle)), Status::Unsupported);
    BmpSpec os2;
    os2.headerSize = 12;
    EXPECT_EQ(reader.Read(BuildBmp(os2)), Status::Unsupported);
}

TEST(BmpToBmpTest, HostileHeadersAreRefusedBeforeAllocating) {
    struct Case {
        const char* what;
        int32_t width, height;
        uint16_t bpp;
        uint32_t colours;
        Status expected;
    } cases[] = {
            {"zero width", 0, 4, 24, 0, Status::BadHeader},
            {"negative width", -5, 4, 24, 0, Status::BadHeader},
            {"zero height", 4, 0, 24, 0, Status::BadHeader},
            {"most negative height", 4, INT32_MIN, 24, 0, Status::BadHeader},
            {"3,000,000 x 2,000,000", 3000000, 2000000, 24, 0, Status::TooLarge},
            {"rows past the budget", INT32_MAX, 1, 8, 0, Status::TooLarge},
            {"palette of 257", 4, 4, 8, 257, Status::BadHeader},
            {"palette that overflows", 4, 4, 8, 0x40000001, Status::BadHeader},
    };

    for (const Case& c : cases) {
        BmpSpec fields;
        fields.width = c.width;
        fields.height = c.height;
        fields.bitsPerPixel = c.bpp;
        fields.coloursUsed = c.colours;
        CBmpToBmp reader;
        EXPECT_EQ(reader.Read(BuildBmp(fields)), c.expected) << c.what;
        EXPECT_EQ(reader.image().pixels, nullptr) << c.what;
    }
    CBmpToBmp reader;
    std::vector<uint8_t> tiny{'B', 'M', 0, 0};
    EXPECT_NE(reader.Read(tiny), Status::Ok);
}

TEST(BmpToBmpTest, TruncatedFileShowsZeroWhereTheDataEnds) {
    BmpSpec fields;
    fields.width = 2;
    fields.height = 3;
    fields.fileRows = {{9, 9, 9, 9, 9, 9, 0, 0}, {8, 8, 8}};  // bottom row whole, the next cut short
    CBmpToBmp reader;
    ASSERT_EQ(reader.Read(BuildBmp(fields)), Status::Ok);
    const ImageBuffer& img = reader.image();
    EXPECT_EQ(img.pixels[0], 0);  // top row never reached
    EXPECT_EQ(img.pixels[img.stride * 1 + 0], 8);
    EXPECT_EQ(img.pixels[img.stride * 1 + 3], 0);
    EXPECT_EQ(img.pixels[img.stride * 2 + 5], 9);

    // Rows that would start past the end of the file: nothing to show.
    fields.fileRows.clear();
    auto headerOnly = test::BuildBmp(fields);
    EXPECT_EQ(reader.Read(headerOnly), Status::Truncated);
    EXPECT_EQ(reader.image().pixels, nullptr);
}

TEST(ClassHeapTest, HeapLivesWhileBlocksDo) {
    ClassHeap& heap = GetClassHeap(HeapId::Tga);
    size_t before = heap.LiveCount();
    {
        HeapBlock a;
        HeapBlock b;
        ASSERT_TRUE(a.Allocate(HeapId::Tga, 100, true));
        ASSERT_TRUE(b.Allocate(HeapId::Tga, 0, false));
        EXPECT_TRUE(heap.Exists());
        EXPECT_EQ(heap.LiveCount(), before + 2);
        HeapBlock moved = std::move(a);
        EXPECT_EQ(heap.LiveCount(), before + 2);
    }
    EXPECT_EQ(heap.LiveCount(), before);
    if (before == 0) {
        EXPECT_FALSE(heap.Exists());
    }
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
