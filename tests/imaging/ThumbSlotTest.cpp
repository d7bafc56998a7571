// Thumbnails of single files: the worked sizes, the frame's pixels, the statuses, and the
// scaling BMP read against hostile headers.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "GifBuilder.h"
#include "ReaderFileBuilders.h"
#include "imaging/JpegWriter.h"
#include "imaging/ThumbSlot.h"

namespace pv {
namespace {

using test::Bytes;

constexpr Bgr kFill{216, 216, 216};
constexpr Bgr kShadow{128, 128, 128};
constexpr Bgr kLight{255, 255, 255};

Bgr ThumbPixel(const ThumbSlot& slot, int32_t x, int32_t y) {
    const uint8_t* p = slot.pixels.data() + y * kThumbStride + x * 3;
    return {p[0], p[1], p[2]};
}

// A 24-bit bottom-up BMP of pixel (x, y) = colour(x, y), y counted from the top.
template <class Colour>
Bytes Bmp24(int32_t w, int32_t h, Colour colour) {
    test::BmpSpec s{.width = w, .height = h};
    const size_t stride = (3 * static_cast<size_t>(w) + 3) & ~size_t{3};
    for (int32_t y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int32_t x = 0; x < w; ++x) {
            const Bgr c = colour(x, y);
            row[3 * static_cast<size_t>(x)] = c.b;
            row[3 * static_cast<size_t>(x) + 1] = c.g;
            row[3 * static_cast<size_t>(x) + 2] = c.r;
        }
        s.fileRows.push_back(row);
    }
    return test::BuildBmp(s);
}

Bytes FlatJpeg(int32_t w, int32_t h) {
    std::vector<uint8_t> rows(RowStride(24, w) * static_cast<size_t>(h), 0);
    for (size_t i = 0; i + 2 < rows.size(); i += 3) {
        rows[i] = 40, rows[i + 1] = 120, rows[i + 2] = 200;
    }
    ImageBuffer image{w, h, 24, RowStride(24, w), nullptr, rows.data()};
    Bytes out;
    EXPECT_EQ(EncodeJpeg(image, out), Status::Ok);
    return out;
}

Bytes FlatGif(int w, int h, uint8_t index) {
    return test::BuildGif({w,
                           h,
                           test::FourColours(),
                           0,
                           {test::MakeFrame(0, 0, w, h, std::vector<uint8_t>(static_cast<size_t>(w * h), index))}});
}

Bgr FiftyByForty(int32_t x, int32_t y) {
    return {static_cast<uint8_t>(5 * x), static_cast<uint8_t>(6 * y), 77};
}

struct Probe {
    int32_t x, y;
    Bgr colour;
};

struct WorkedCase {
    const char* name;
    Bytes file;
    int32_t fullWidth, fullHeight, sourceWidth, sourceHeight;
    std::vector<Probe> probes;
};

TEST(ThumbSlotTest, WorkedSizesPlacesAndFrames) {
    const Bgr flat{40, 120, 200};  // the flat JPEG's colour
    const Bgr red{0, 0, 255};
    const Bgr green{0, 255, 0};
    const std::vector<WorkedCase> cases = {
            // Enlarged by 2 while read: 100 x 80 at x0 = 0, y0 = 10.
            {"fifty.bmp",
             Bmp24(50, 40, FiftyByForty),
             50,
             40,
             100,
             80,
             {{2, 12, FiftyByForty(0, 0)},
              {3, 13, FiftyByForty(0, 0)},
              {4, 14, FiftyByForty(1, 1)},
              {100, 90, FiftyByForty(49, 39)},
              {1, 50, kShadow},
              {50, 11, kShadow},
              {101, 50, kLight},
              {50, 91, kLight},
              {0, 50, kFill},
              {50, 10, kFill},
              {50, 92, kFill}}},
            // Read at full size and copied: its last column and row fall under the frame.
            {"hundred.jpg",
             FlatJpeg(100, 100),
             100,
             100,
             100,
             100,
             {{2, 2, flat},
              {100, 100, flat},
              {1, 50, kShadow},
              {101, 50, kLight},
              {50, 101, kLight},
              {102, 50, kFill}}},
            // Read at a quarter, 100 x 75, and copied at y0 = 13.
            {"wide.JPEG",
             FlatJpeg(400, 300),
             400,
             300,
             100,
             75,
             {{50, 15, flat}, {50, 88, flat}, {50, 14, kShadow}, {50, 89, kLight}, {50, 13, kFill}, {50, 90, kFill}}},
            // Reduced to 100 x 100 inside a frame placed for 150 x 150.
            {"big.gif",
             FlatGif(150, 150, 1),
             150,
             150,
             150,
             150,
             {{2, 2, red},
              {99, 99, red},
              {100, 50, kFill},
              {50, 100, kFill},
              {1, 50, kShadow},
              {101, 50, kLight},
              {50, 103, kLight},
              {50, 102, kFill}}},
            // Copied inside a frame centred at x0 = 20, y0 = 35.
            {"small.gif",
             FlatGif(60, 30, 2),
             60,
             30,
             60,
             30,
             {{22, 37, green},
              {80, 65, green},
              {21, 50, kShadow},
              {50, 36, kShadow},
              {81, 50, kLight},
              {50, 66, kLight},
              {20, 50, kFill},
              {82, 50, kFill},
              {50, 67, kFill}}},
    };
    ThumbScratch scratch;
    for (const WorkedCase& c : cases) {
        ThumbSlot slot;
        ASSERT_TRUE(DecodeThumbnailBytes(slot, c.name, c.file, scratch)) << c.name;
        EXPECT_EQ(slot.status, ThumbStatus::Picture) << c.name;
        EXPECT_EQ(slot.fullWidth, c.fullWidth) << c.name;
        EXPECT_EQ(slot.fullHeight, c.fullHeight) << c.name;
        EXPECT_EQ(slot.sourceWidth, c.sourceWidth) << c.name;
        EXPECT_EQ(slot.sourceHeight, c.sourceHeight) << c.name;
        for (const Probe& p : c.probes) {
            const Bgr got = ThumbPixel(slot, p.x, p.y);
            EXPECT_NEAR(got.b, p.colour.b, 3) << c.name << " at " << p.x << "," << p.y;
            EXPECT_NEAR(got.g, p.colour.g, 3) << c.name << " at " << p.x << "," << p.y;
            EXPECT_NEAR(got.r, p.colour.r, 3) << c.name << " at " << p.x << "," << p.y;
        }
    }
}

TEST(ThumbSlotTest, StatusesByExtensionAndContent) {
    struct Case {
        const char* name;
        Bytes file;
        ThumbStatus status;
        bool drawn;
    };

    const std::vector<Case> cases = {
            {"clip.AVI", {}, ThumbStatus::Video, false},
            {"clip.wmv", {}, ThumbStatus::Video, false},
            {"sound.AU", {}, ThumbStatus::Audio, false},
            {"sound.Midi", {}, ThumbStatus::Audio, false},
            {"ends-at-once.jpg", {0xFF, 0xD9, 0, 0}, ThumbStatus::Picture, false},  // not JPEG: an empty box
            {"broken.jpg", {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3}, ThumbStatus::Unreadable, false},
            {"broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1}, ThumbStatus::Unreadable, false},
            {"broken.pcx", {10, 5, 1}, ThumbStatus::Unreadable, false},
            {"sixty.GIF", FlatGif(60, 30, 2), ThumbStatus::Picture, true},
            // A few bytes declaring 16000 x 16000: refused before a reader fills 768 MB.
            {"forged.pcx", test::BuildPcx({.width = 16000, .height = 16000, .bytesPerLine = 16000, .data = {0xFF, 7}}),
             ThumbStatus::Unreadable, false},
            {"forged.gif", test::BuildGif({16000, 16000, test::FourColours(), 0, {test::MakeFrame(0, 0, 1, 1, {1})}}),
             ThumbStatus::Unreadable, false},
    };
    ThumbScratch scratch;
    for (const Case& c : cases) {
        ThumbSlot slot;
        ASSERT_TRUE(DecodeThumbnailBytes(slot, c.name, c.file, scratch)) << c.name;
        EXPECT_EQ(slot.status, c.status) << c.name;
        EXPECT_EQ(slot.path, c.name);
        bool allFill = true;
        for (size_t i = 0; i < kThumbBytes; ++i) {
            allFill = allFill && slot.pixels.data()[i] == kThumbFill;
        }
        EXPECT_EQ(!allFill, c.drawn) << c.name;
    }
    // Media files are never opened: a missing one still gets its status.
    ThumbSlot slot;
    ASSERT_TRUE(DecodeThumbnail(slot, "\\no\\such\\folder\\movie.avi", scratch));
    EXPECT_EQ(slot.status, ThumbStatus::Video);
    ASSERT_TRUE(DecodeThumbnail(slot, "\\no\\such\\folder\\photo.jpg", scratch));
    EXPECT_EQ(slot.status, ThumbStatus::Unreadable);
}

// The scaling read reads a hundred rows at most whatever the header claims, and refuses
// what no file of that size can hold.
TEST(ThumbSlotTest, ScalingBmpReadRefusesHostileHeaders) {
    auto header = [](test::BmpSpec s) { return test::BuildBmp(s); };
    Bytes pastOffset = Bmp24(2, 2, FiftyByForty);
    pastOffset[10] = 0xFF;  // rows begin far past the end

    struct Case {
        const char* what;
        Bytes file;
        Status status;
    };

    const std::vector<Case> cases = {
            {"one row wider than the file", header({.width = 100000, .height = 1, .fileRows = {{1, 2, 3, 4}}}),
             Status::Truncated},
            {"row size overflows", header({.width = INT32_MAX, .height = 1, .bitsPerPixel = 32}), Status::TooLarge},
            {"3 000 000 x 2 000 000 in a few bytes", header({.width = 3000000, .height = 2000000}), Status::TooLarge},
            {"height INT32_MIN", header({.width = 1, .height = INT32_MIN}), Status::BadHeader},
            {"width 0", header({.width = 0, .height = 1}), Status::BadHeader},
            {"more than 256 colours",
             header({.width = 1, .height = 1, .bitsPerPixel = 8, .coloursUsed = 300, .fileRows = {{0, 0, 0, 0}}}),
             Status::BadHeader},
            {"rows past the end", pastOffset, Status::Truncated},
            {"headers cut short", Bytes{'B', 'M', 0, 0}, Status::Truncated},
            {"16 bits: the picture object's", header({.width = 1, .height = 1, .bitsPerPixel = 16}),
             Status::Unsupported},
            {"4 bits: the picture object's", header({.width = 1, .height = 1, .bitsPerPixel = 4}), Status::Unsupported},
            {"RLE: the picture object's", header({.width = 1, .height = 1, .bitsPerPixel = 8, .compression = 1}),
             Status::Unsupported},
            {"OS/2 header: the picture object's", header({.width = 1, .height = 1, .headerSize = 12}),
             Status::Unsupported},
            // Rows the file does not hold read black; only the rows shown are looked at.
            {"a million rows in a short file", header({.width = 1, .height = 1000000, .fileRows = {{1, 2, 3, 0}}}),
             Status::Ok},
    };
    for (const Case& c : cases) {
        HeapBlock rows;
        ImageBuffer out;
        int32_t w = 0;
        int32_t h = 0;
        EXPECT_EQ(ReadBmpScaled(c.file, rows, out, w, h), c.status) << c.what;
        EXPECT_EQ(out.HasPicture(), c.status == Status::Ok) << c.what;
    }
}

TEST(ThumbSlotTest, ScalingBmpReadFlipsTopDownAndBoundsThePalette) {
    const Bgr top{1, 2, 3};
    const Bgr bottom{4, 5, 6};
    // 1 x 2, stored bottom-up and top-down: the same picture, enlarged to 50 x 101.
    const Bytes bottomUp = test::BuildBmp({.width = 1, .height = 2, .fileRows = {{4, 5, 6, 0}, {1, 2, 3, 0}}});
    const Bytes topDown = test::BuildBmp({.width = 1, .height = -2, .fileRows = {{1, 2, 3, 0}, {4, 5, 6, 0}}});
    for (const Bytes& file : {bottomUp, topDown}) {
        HeapBlock rows;
        ImageBuffer out;
        int32_t w = 0;
        int32_t h = 0;
        ASSERT_EQ(ReadBmpScaled(file, rows, out, w, h), Status::Ok);
        EXPECT_EQ(out.width, 50);
        EXPECT_EQ(out.height, 101);
        EXPECT_EQ(h, 2);
        EXPECT_EQ(PixelAt(out, 0, 0), top);
        EXPECT_EQ(PixelAt(out, 49, 49), top);
        EXPECT_EQ(PixelAt(out, 0, 50), bottom);
        EXPECT_EQ(PixelAt(out, 0, 100), bottom);
    }
    // Two stored colours; index 200 lies past them and reads black, index 1 is entry 1.
    const Bytes eightBit = test::BuildBmp({.width = 2,
                                           .height = 1,
                                           .bitsPerPixel = 8,
                                           .coloursUsed = 2,
                                           .paletteEntries = 2,
                                           .fileRows = {{200, 1, 0, 0}}});
    HeapBlock rows;
    ImageBuffer out;
    int32_t w = 0;
    int32_t h = 0;
    ASSERT_EQ(ReadBmpScaled(eightBit, rows, out, w, h), Status::Ok);
    EXPECT_EQ(PixelAt(out, 0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(out, out.width - 1, 0), (Bgr{1, 254, 0x54}));
}

}  // namespace
}  // namespace pv
