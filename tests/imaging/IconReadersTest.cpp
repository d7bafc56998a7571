// The icon and cursor readers: the strip of cells, the alignment in a cell, the depths,
// the limits and the files that must be refused.
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/CurToBmp.h"
#include "imaging/IcoToBmp.h"

namespace pv {
namespace {

using test::Bytes;
using test::IconEntrySpec;

constexpr Bgr kGrey{216, 216, 216};

// A w x h image of the given depth whose stored row r, column x holds index (x + r) % n,
// with palette entry i = (i, 2i, 3i) for the indexed depths and (x, r, 99) for direct ones.
IconEntrySpec MakeImage(uint8_t w, uint8_t h, uint16_t bits) {
    IconEntrySpec e;
    e.width = w;
    e.height = h;
    e.headerWidth = w;
    e.headerHeight = 2 * h;
    e.bitCount = bits;
    const unsigned entries = bits <= 8 ? 1u << bits : 0;
    for (unsigned i = 0; i < entries; ++i) {
        e.palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i)});
    }
    const size_t stride = RowStride(bits, w);
    for (unsigned r = 0; r < h; ++r) {
        Bytes row(stride, 0);
        for (unsigned x = 0; x < w; ++x) {
            const unsigned index = entries != 0 ? (x + r) % entries : 0;
            switch (bits) {
            case 1: row[x / 8] = static_cast<uint8_t>(row[x / 8] | index << (7 - x % 8)); break;
            case 4: row[x / 2] = static_cast<uint8_t>(row[x / 2] | index << (x % 2 != 0 ? 0 : 4)); break;
            case 8: row[x] = static_cast<uint8_t>(index); break;
            default: {
                const size_t at = x * (bits / 8u);
                row[at] = static_cast<uint8_t>(x);
                row[at + 1] = static_cast<uint8_t>(r);
                row[at + 2] = 99;
                if (bits == 32) {
                    row[at + 3] = 0x40;  // alpha, never shown
                }
            }
            }
        }
        e.rows.push_back(row);
    }
    // The AND mask, never applied.
    for (unsigned r = 0; r < h; ++r) {
        e.rows.push_back(Bytes(RowStride(1, w), 0xFF));
    }
    return e;
}

Bgr Expected(uint16_t bits, unsigned x, unsigned r) {
    if (bits > 8) {
        return {static_cast<uint8_t>(x), static_cast<uint8_t>(r), 99};
    }
    const unsigned i = (x + r) % (1u << bits);
    return {static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i)};
}

// Checks cell `cell` of the strip: the w x h image upright against the top or the bottom,
// grey elsewhere.
void ExpectCell(const ImageBuffer& img,
                unsigned cell,
                unsigned w,
                unsigned h,
                uint16_t bits,
                bool top,
                const char* what) {
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
    EXPECT_EQ(wrong, 0) << what << ", cell " << cell;
}

TEST(IconReadersTest, IconImagesSitAtTheBottomOfTheirCells) {
    CIcoToBmp reader;
    ASSERT_EQ(reader.Read(test::BuildIconFile(1, {MakeImage(16, 16, 4), MakeImage(32, 32, 8)})), Status::Ok);
    EXPECT_EQ(reader.image().width, 128);
    EXPECT_EQ(reader.image().height, 64);
    ExpectCell(reader.image(), 0, 16, 16, 4, false, "16 x 16 4-bit");
    ExpectCell(reader.image(), 1, 32, 32, 8, false, "32 x 32 8-bit");

    struct Case {
        const char* what;
        uint8_t size;
        uint16_t bits;
    } cases[] = {
            {"48 x 48 32-bit without its alpha", 48, 32},
            {"24-bit width 5: rows padded to 4 bytes", 5, 24},
            {"1-bit through its palette", 32, 1},
            {"4-bit width 3", 3, 4},
            {"8-bit width 7", 7, 8},
            {"64 x 64 fills its cell", 64, 8},
    };

    for (const auto& c : cases) {
        ASSERT_EQ(reader.Read(test::BuildIconFile(1, {MakeImage(c.size, c.size, c.bits)})), Status::Ok) << c.what;
        ExpectCell(reader.image(), 0, c.size, c.size, c.bits, false, c.what);
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
        ASSERT_EQ(reader.Read(test::BuildIconFile(1, {entry, MakeImage(8, 8, 4)})), Status::Ok) << what;
        ExpectCell(reader.image(), 0, 0, 0, 8, false, what);
        ExpectCell(reader.image(), 1, 8, 8, 4, false, what);
    }
}

TEST(IconReadersTest, CursorImagesSitAtTheTopOfTheirCellsClipped) {
    CCurToBmp reader;

    struct Case {
        const char* what;
        uint8_t size;
        uint16_t bits;
    } cases[] = {
            {"1-bit", 32, 1},   {"4-bit", 16, 4},   {"8-bit", 24, 8},
            {"24-bit", 20, 24}, {"32-bit", 48, 32}, {"1-bit width 9", 9, 1},
    };

    for (const auto& c : cases) {
        ASSERT_EQ(
                reader.Read(test::BuildIconFile(2, {MakeImage(c.size, c.size, 4), MakeImage(c.size, c.size, c.bits)})),
                Status::Ok)
                << c.what;
        EXPECT_EQ(reader.image().width, 128);
        ExpectCell(reader.image(), 0, c.size, c.size, 4, true, c.what);
        ExpectCell(reader.image(), 1, c.size, c.size, c.bits, true, c.what);
    }
    // 80 x 80: the top 64 rows and the left 64 columns show.
    ASSERT_EQ(reader.Read(test::BuildIconFile(2, {MakeImage(80, 80, 8)})), Status::Ok);
    int wrong = 0;
    for (unsigned y = 0; y < 64; ++y) {
        for (unsigned x = 0; x < 64; ++x) {
            wrong +=
                    PixelAt(reader.image(), static_cast<int32_t>(x), static_cast<int32_t>(y)) != Expected(8, x, 79 - y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(IconReadersTest, RefusedFiles) {
    std::vector<IconEntrySpec> many(33, MakeImage(4, 4, 4));
    Bytes outside = test::BuildIconFile(1, {MakeImage(16, 16, 4)});
    outside[6 + 12] = 0xF0;  // image offset far past the end
    Bytes hugeSize = test::BuildIconFile(1, {MakeImage(16, 16, 4)});
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
            {"33 icons", test::BuildIconFile(1, many), true, Status::BadHeader},
            {"33 cursors", test::BuildIconFile(2, many), false, Status::BadHeader},
            {"image outside the file", outside, true, Status::Truncated},
            {"cursor image outside the file", outside, false, Status::Truncated},
            {"1 000 000 bytes or more", hugeSize, true, Status::BadHeader},
            {"taller than 64", test::BuildIconFile(1, {tall}), true, Status::BadHeader},
            {"icon directory past the end", shortDirectory, true, Status::Truncated},
            {"cursor count 65535", bogusCount, false, Status::BadHeader},
            {"no images", Bytes{0, 0, 1, 0, 0, 0}, true, Status::BadHeader},
            {"no cursors", Bytes{0, 0, 2, 0, 0, 0}, false, Status::BadHeader},
            {"five bytes", Bytes{0, 0, 1, 0, 1}, true, Status::Truncated},
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
    EXPECT_EQ(ico.Read(test::BuildIconFile(1, std::vector<IconEntrySpec>(32, MakeImage(4, 4, 4)))), Status::Ok);
    EXPECT_EQ(ico.image().width, 32 * 64);
    CCurToBmp cur;
    EXPECT_EQ(cur.Read(test::BuildIconFile(2, std::vector<IconEntrySpec>(32, MakeImage(4, 4, 4)))), Status::Ok);
}

}  // namespace
}  // namespace pv
