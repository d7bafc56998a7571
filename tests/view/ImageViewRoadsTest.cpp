// The view hands the current background grey to the cursor reader: full screen sets it to
// 0, and the cells a cursor image leaves empty follow.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "imaging/ReaderFileBuilders.h"
#include "platform/FileSystem.h"
#include "view/BackgroundGrey.h"
#include "view/ImageView.h"
#include "view/SimulatedScrollHost.h"

namespace pv {
namespace {

TEST(ImageViewRoadsTest, CursorStripTakesTheCurrentBackgroundGrey) {
    test::IconEntrySpec cursor;  // 16 x 16, 4 bits, every pixel palette entry 0
    cursor.palette.assign(16, Bgr{1, 2, 3});
    cursor.rows.assign(16, test::Bytes(8, 0));
    const std::string dir = test::MakeScratchDir("ImageViewRoadsTest.CursorStrip");
    test::WriteHostFile(dir + "/c.cur", test::BuildIconFile(2, {cursor}));
    SimulatedScrollHost host({400, 300});
    ImageView view(host, nullptr, nullptr);
    for (const uint8_t grey : {uint8_t{0}, uint8_t{90}}) {
        BackgroundGrey() = grey;
        ASSERT_EQ(view.OpenInView(false, ProgramPathFromHost(dir + "/c.cur")), 1);
        ASSERT_NE(view.Image(), nullptr);
        EXPECT_EQ(PixelAt(*view.Image(), 0, 0), (Bgr{1, 2, 3})) << int{grey};
        EXPECT_EQ(PixelAt(*view.Image(), 63, 63), (Bgr{grey, grey, grey})) << int{grey};
    }
    BackgroundGrey() = kStartupBackgroundGrey;
}

}  // namespace
}  // namespace pv
