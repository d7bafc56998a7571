// The PCX reader on hand-made files: run bytes, line padding, palettes and refusals.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/PcxToBmp.h"

namespace pv {
namespace {

using test::Bytes;

std::vector<Bgr> Row(const ImageBuffer& img, int32_t y) {
    std::vector<Bgr> out;
    for (int32_t x = 0; x < img.width; ++x) {
        out.push_back(PixelAt(img, x, y));
    }
    return out;
}

// Palette entry i of the builder, as blue, green, red.
Bgr Entry(uint8_t i) {
    return {static_cast<uint8_t>(i ^ 0x55), static_cast<uint8_t>(255 - i), i};
}

Bgr Grey(uint8_t v) {
    return {v, v, v};
}

TEST(PcxToBmpTest, SinglePlaneRunsAndLiteralsGoThroughThePalette) {
    struct Case {
        const char* what;
        uint16_t width;
        uint16_t bytesPerLine;
        Bytes data;
        std::vector<Bgr> row;
    } cases[] = {
            {"literal bytes", 3, 3, {1, 2, 3}, {Entry(1), Entry(2), Entry(3)}},
            {"0xC1 0x05 is one pixel of 5", 2, 2, {0xC1, 0x05, 7}, {Entry(5), Entry(7)}},
            {"a lone 0xC0 is the value 192", 2, 2, {0xC0, 0xC0}, {Entry(192), Entry(192)}},
            {"a run fills several columns", 4, 4, {0xC4, 9}, {Entry(9), Entry(9), Entry(9), Entry(9)}},
            {"padding columns are dropped", 3, 4, {1, 2, 3, 99}, {Entry(1), Entry(2), Entry(3)}},
            {"a run into the padding stops at the width", 2, 4, {0xC4, 6}, {Entry(6), Entry(6)}},
    };

    for (const auto& c : cases) {
        test::PcxSpec s;
        s.width = c.width;
        s.bytesPerLine = c.bytesPerLine;
        s.data = c.data;
        Bytes file = test::BuildPcx(s);
        CPcxToBmp reader;
        ASSERT_EQ(reader.Read(file), Status::Ok) << c.what;
        EXPECT_EQ(reader.image().bitsPerPixel, 24) << c.what;
        EXPECT_EQ(Row(reader.image(), 0), c.row) << c.what;
    }
}

TEST(PcxToBmpTest, RunNeverContinuesIntoTheNextLine) {
    test::PcxSpec s;
    s.width = 2;
    s.height = 2;
    s.bytesPerLine = 2;
    // A run of 5 on line 0 is cut at its end; line 1 starts with the next byte.
    s.data = {0xC5, 4, 8, 9};
    Bytes file = test::BuildPcx(s);
    CPcxToBmp reader;
    ASSERT_EQ(reader.Read(file), Status::Ok);
    EXPECT_EQ(Row(reader.image(), 0), (std::vector<Bgr>{Entry(4), Entry(4)}));
    EXPECT_EQ(Row(reader.image(), 1), (std::vector<Bgr>{Entry(8), Entry(9)}));
}

TEST(PcxToBmpTest, ThreePlanesAreRedGreenBlueAndKeepTheirPaddingOut) {
    // Width 3 with bytes per line 4 (width + 1): the fourth byte of each plane line is padding.
    test::PcxSpec s;
    s.width = 3;
    s.height = 2;
    s.planes = 3;
    s.bytesPerLine = 4;
    s.palette = false;
    s.data = {10,   11, 12, 99,   20, 21, 22, 99, 30,   31, 32, 99,  // row 0: R, G, B
              0xC3, 40, 98, 0xC4, 50, 60, 61, 62, 0xC1, 97};         // row 1
    Bytes file = test::BuildPcx(s);
    CPcxToBmp reader;
    ASSERT_EQ(reader.Read(file), Status::Ok);
    const ImageBuffer& img = reader.image();
    ASSERT_EQ(img.width, 3);
    ASSERT_EQ(img.height, 2);
    EXPECT_EQ(Row(img, 0), (std::vector<Bgr>{{30, 20, 10}, {31, 21, 11}, {32, 22, 12}}));
    EXPECT_EQ(Row(img, 1), (std::vector<Bgr>{{60, 50, 40}, {61, 50, 40}, {62, 50, 40}}));
}

TEST(PcxToBmpTest, MissingPaletteOrShortDataShowsGreyAndBlack) {
    struct Case {
        const char* what;
        Bytes data;
        bool palette;
        std::vector<Bgr> row0;
        std::vector<Bgr> row1;
    } cases[] = {
            {"no palette marker", {1, 2, 3, 4}, false, {Grey(1), Grey(2)}, {Grey(3), Grey(4)}},
            // 200 starts a run of 8 threes, cut at the end of line 0; the data then ends
            // before line 1, so no palette can follow and the unreached pixels are 0.
            {"data ends early", {1, 200, 3}, false, {Grey(1), Grey(3)}, {Grey(0), Grey(0)}},
            {"data ends after line 0", {0xC2, 7}, false, {Grey(7), Grey(7)}, {Grey(0), Grey(0)}},
    };

    for (const auto& c : cases) {
        test::PcxSpec s;
        s.height = 2;
        s.data = c.data;
        s.palette = c.palette;
        Bytes file = test::BuildPcx(s);
        CPcxToBmp reader;
        ASSERT_EQ(reader.Read(file), Status::Ok) << c.what;
        EXPECT_EQ(Row(reader.image(), 0), c.row0) << c.what;
        EXPECT_EQ(Row(reader.image(), 1), c.row1) << c.what;
    }
}

TEST(PcxToBmpTest, RefusesWhatItCannotShow) {
    struct Case {
        const char* what;
        uint8_t bits;
        uint8_t planes;
        uint16_t width;
        uint16_t bytesPerLine;
        Status expected;
    } cases[] = {
            {"1 bit per plane", 1, 1, 8, 1, Status::Unsupported},
            {"2 bits per plane", 2, 1, 8, 2, Status::Unsupported},
            {"4 bits per plane", 4, 1, 8, 4, Status::Unsupported},
            {"4 planes", 8, 4, 2, 2, Status::Unsupported},
            {"2 planes", 8, 2, 2, 2, Status::Unsupported},
            {"line shorter than the width", 8, 1, 8, 4, Status::BadHeader},
    };

    for (const auto& c : cases) {
        test::PcxSpec s;
        s.bitsPerPlane = c.bits;
        s.planes = c.planes;
        s.width = c.width;
        s.bytesPerLine = c.bytesPerLine;
        s.data = Bytes(64, 1);
        CPcxToBmp reader;
        EXPECT_EQ(reader.Read(test::BuildPcx(s)), c.expected) << c.what;
        EXPECT_FALSE(reader.image().HasPicture()) << c.what;
    }
    CPcxToBmp reader;
    EXPECT_EQ(reader.Read(Bytes(100, 0)), Status::Truncated);
    EXPECT_EQ(reader.UserMessage(), nullptr);
}

TEST(PcxToBmpTest, SizeBeyondTheBudgetIsRefusedBeforeAllocating) {
    test::PcxSpec s;
    s.width = 65535;
    s.height = 65535;
    s.bytesPerLine = 65535;
    s.data = {1};
    CPcxToBmp reader;
    EXPECT_EQ(reader.Read(test::BuildPcx(s)), Status::TooLarge);
}

TEST(PcxToBmpTest, ReadingAgainReplacesThePicture) {
    // The reader keeps its rows between reads of the same size; nothing of the first
    // picture may show through the second.
    test::PcxSpec s;
    s.height = 2;
    s.data = {5, 6, 7, 8};
    CPcxToBmp reader;
    ASSERT_EQ(reader.Read(test::BuildPcx(s)), Status::Ok);
    s.data = {9};
    s.palette = false;
    ASSERT_EQ(reader.Read(test::BuildPcx(s)), Status::Ok);
    EXPECT_EQ(Row(reader.image(), 0), (std::vector<Bgr>{Grey(9), Grey(0)}));
    EXPECT_EQ(Row(reader.image(), 1), (std::vector<Bgr>{Grey(0), Grey(0)}));
}

}  // namespace
}  // namespace pv
