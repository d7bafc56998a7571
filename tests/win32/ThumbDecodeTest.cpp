// Thumbnails of files only the Windows picture object reads: a 16-bit BMP and a GIF behind
// a JPEG name come out as pictures, not as unreadable files.
#include <gtest/gtest.h>
#include <vector>

#include "../imaging/GifBuilder.h"
#include "../imaging/ReaderFileBuilders.h"
#include "imaging/ThumbSlot.h"

namespace pv {
namespace {

Bgr ThumbPixel(const ThumbSlot& slot, int32_t x, int32_t y) {
    const uint8_t* p = slot.pixels.data() + y * kThumbStride + x * 3;
    return {p[0], p[1], p[2]};
}

TEST(ThumbDecodeTest, PictureObjectFilesBecomeThumbnails) {
    // 4 x 4 at 5-5-5 bits: the top two rows red, the bottom two blue (rows stored bottom-up).
    const std::vector<uint8_t> blue = {0x1F, 0, 0x1F, 0, 0x1F, 0, 0x1F, 0};
    const std::vector<uint8_t> red = {0, 0x7C, 0, 0x7C, 0, 0x7C, 0, 0x7C};
    const test::Bytes sixteen =
            test::BuildBmp({.width = 4, .height = 4, .bitsPerPixel = 16, .fileRows = {blue, blue, red, red}});
    const test::Bytes gif =
            test::BuildGif({4, 4, test::FourColours(), 0, {test::MakeFrame(0, 0, 4, 4, std::vector<uint8_t>(16, 3))}});

    struct Case {
        const char* name;
        const test::Bytes& file;
        Bgr top, bottom;
    };

    const Case cases[] = {
            {"sixteen.bmp", sixteen, {0, 0, 255}, {255, 0, 0}},
            {"really-a-gif.jpg", gif, {255, 0, 0}, {255, 0, 0}},
    };
    ThumbScratch scratch;
    for (const Case& c : cases) {
        ThumbSlot slot;
        ASSERT_TRUE(DecodeThumbnailBytes(slot, c.name, c.file, scratch)) << c.name;
        EXPECT_EQ(slot.status, ThumbStatus::Picture) << c.name;
        EXPECT_EQ(slot.fullWidth, 4) << c.name;
        EXPECT_EQ(slot.fullHeight, 4) << c.name;
        // 4 x 4 is copied at x0 = y0 = 48: its first three rows and columns from (50, 50).
        EXPECT_EQ(ThumbPixel(slot, 50, 50), c.top) << c.name;
        EXPECT_EQ(ThumbPixel(slot, 52, 52), c.bottom) << c.name;
        EXPECT_EQ(ThumbPixel(slot, 49, 50), (Bgr{128, 128, 128})) << c.name;
    }
}

}  // namespace
}  // namespace pv
