// Opening files in the view: another open while a failure's message box is up, and the
// cursor strip's background.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "imaging/BmpBuilder.h"
#include "imaging/ReaderFileBuilders.h"
#include "platform/FileSystem.h"
#include "view/BackgroundGrey.h"
#include "view/ImageView.h"
#include "view/SimulatedScrollHost.h"

namespace pv {
namespace {

// While a message box is up the frame may run another road into the view.
struct ReenteringEvents final : ImageViewEvents {
    void StopAnimation() override {}

    void StartAnimation() override {}

    void FillBackground() override {}

    void ShowMessage(std::string_view, std::string_view) override {
        ++boxes;
        if (view != nullptr && !reentry.empty()) {
            view->OpenInView(false, std::exchange(reentry, {}));
        }
    }

    ImageView* view = nullptr;
    std::string reentry;
    int boxes = 0;
};

struct Fixture {
    Fixture() : host({400, 300}), view(host, &events, nullptr) {
        events.view = &view;
        dir = test::MakeScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        test::WriteHostFile(dir + "/" + name, bytes);
        return ProgramPathFromHost(dir + "/" + name);
    }

    SimulatedScrollHost host;
    ReenteringEvents events;
    ImageView view;
    std::string dir;
};

TEST(ImageViewRoadsTest, AnOpenWhileTheFailureBoxIsUpKeepsItsPicture) {
    Fixture f;
    test::BmpSpec bmp;
    bmp.width = 30;
    bmp.height = 20;
    bmp.fileRows.assign(20, std::vector<uint8_t>(92, 7));
    f.events.reentry = f.Write("next.bmp", test::BuildBmp(bmp));
    EXPECT_EQ(f.view.OpenInView(false, f.Write("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1})), 0);
    EXPECT_EQ(f.events.boxes, 1);
    ASSERT_NE(f.view.Image(), nullptr);
    EXPECT_EQ(f.view.Image()->width, 30);
    EXPECT_TRUE(f.view.ImageReady());
    EXPECT_TRUE(f.view.RenderVisible());
}

TEST(ImageViewRoadsTest, CursorStripTakesTheCurrentBackgroundGrey) {
    Fixture f;
    test::IconEntrySpec cursor;
    cursor.palette.assign(16, Bgr{1, 2, 3});
    cursor.rows.assign(16, test::Bytes(8, 0));
    const std::string path = f.Write("c.cur", test::BuildIconFile(2, {cursor}));
    for (const uint8_t grey : {uint8_t{0}, uint8_t{90}}) {
        BackgroundGrey() = grey;  // full screen sets 0
        ASSERT_EQ(f.view.OpenInView(false, path), 1);
        const ImageBuffer* strip = f.view.Image();
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(PixelAt(*strip, 0, 0), (Bgr{1, 2, 3})) << int{grey};
        EXPECT_EQ(PixelAt(*strip, 63, 63), (Bgr{grey, grey, grey})) << int{grey};
    }
    BackgroundGrey() = kStartupBackgroundGrey;
}

}  // namespace
}  // namespace pv
