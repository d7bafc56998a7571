// The icon and cursor readers: the strip of cells, the alignment in a cell, the depths,
// the limits and the files that must be refused.
#include <algorithm>
#include <gtest/gtest.h>

#include "ReaderFileBuilders.h"
#include "imaging/CurToBmp.h"
#include "imaging/IcoToBmp.h"

namespace pv {
namespace {

using test::Bytes;
using test::IconEntrySpec;

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
// and the case's, both of its size.
TEST(IconReadersTest, ImagesSitInTheirCells) {
    struct Case {
        const char* what;
        uint16_t type;  // 1 icon, 2 cursor
        uint8_t size;
        uint16_t bits;
    } cases[] = {
            {"48 x 48 32-bit without its alpha", 1, 48, 32},
            {"24-bit width 5: rows padded to 4 bytes", 1, 5, 24},
            {"1-bit through its palette", 1, 32, 1},
            {"4-bit width 3", 1, 3, 4},
            {"8-bit width 7", 1, 7, 8},
            {"64 x 64 fills its cell", 1, 64, 8},
            {"1-bit cursor", 2, 32, 1},
            {"4-bit cursor", 2, 16, 4},
            {"8-bit cursor", 2, 24, 8},
            {"24-bit cursor", 2, 20, 24},
            {"32-bit cursor", 2, 48, 32},
            {"1-bit cursor width 9", 2, 9, 1},
            {"80 x 80 cursor: its top-left 64 x 64 shows", 2, 80, 8},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CIcoToBmp ico;
        CCurToBmp cur;
        PictureReader& reader = c.type == 1 ? static_cast<PictureReader&>(ico) : cur;
        const Bytes file =
                test::BuildIconFile(c.type, {MakeImage(c.size, c.size, 4), MakeImage(c.size, c.size, c.bits)});
        ASSERT_EQ(reader.Read(file), Status::Ok);
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
        ASSERT_EQ(reader.Read(test::BuildIconFile(1, {entry, MakeImage(8, 8, 4)})), Status::Ok);
        ExpectCell(reader.image(), 0, 0, 0, 8, false);
        ExpectCell(reader.image(), 1, 8, 8, 4, false);
    }
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
    CCurToBmp cur;
    many.pop_back();
    EXPECT_EQ(ico.Read(test::BuildIconFile(1, many)), Status::Ok);
    EXPECT_EQ(ico.image().width, 32 * 64);
    EXPECT_EQ(cur.Read(test::BuildIconFile(2, many)), Status::Ok);
}

}  // namespace
}  // namespace pv
