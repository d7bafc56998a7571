// The image view window under Wine: what it paints at 100 %, scrolled, after a zoom step;
// its message boxes and a second open while one is up; animations that zoom and resize.
#include <gtest/gtest.h>
#include <memory>

#include "Harness.h"
#include "TestPaths.h"
#include "imaging/GifBuilder.h"
#include "view/win32/Tavi5View.h"

namespace pv {
namespace {

constexpr COLORREF kBackground = RGB(208, 211, 209);

// The view filling a host window of the given client size.
struct ViewHost {
    ViewHost(int w, int h)
        : ui(w, h, [this, w, h](HWND host) {
              view = std::make_unique<CTavi5View>();
              view->CreateView(host, 1000);
              MoveWindow(view->hwnd(), 0, 0, w, h, TRUE);
              return host;
          }) {}

    std::unique_ptr<CTavi5View> view;  // outlives the thread
    test::UiThread ui;
};

// In a fresh scratch folder of this case and process.
std::string Scratch(const std::string& name) {
    return test::MakeScratchDir(name) + "\\" + name;
}

std::string WriteScratch(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = Scratch(name);
    EXPECT_EQ(WriteWholeFile(path, bytes), Status::Ok);
    return path;
}

// A two-frame animation, red then blue, 100 ms a frame.
std::string WriteAnimation(const std::string& name, int w, int h) {
    test::GifSpec gif{.width = w, .height = h, .globalPalette = {255, 0, 0, 0, 0, 255}};
    const auto all = static_cast<size_t>(w) * static_cast<size_t>(h);
    gif.frames = {{.width = w, .height = h, .indices = std::vector<uint8_t>(all, 0), .disposal = 0},
                  {.width = w, .height = h, .indices = std::vector<uint8_t>(all, 1), .disposal = 0}};
    return WriteScratch(name, test::BuildGif(gif));
}

bool IsFrameColour(COLORREF c) {
    return c == RGB(255, 0, 0) || c == RGB(0, 0, 255);
}

TEST(Tavi5ViewTest, FailureBoxIsOwnedByTheFrameAndASecondOpenWhileItIsUpIsKept) {
    const std::string broken = WriteScratch("view-broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1});
    const std::string animation = WriteAnimation("view-reentry.gif", 40, 30);
    ViewHost host(200, 150);
    HWND owner = nullptr;
    host.ui.onBox = [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        // The frame's Forward while the box is up: another road into the same view.
        EXPECT_EQ(host.view->OpenInView(false, animation), 1);
    };
    int opened = -1;
    host.ui.Run([&] { opened = host.view->OpenInView(false, broken); });
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(owner, host.ui.host());
    host.ui.Run([&] {
        EXPECT_NE(host.view->model().Reader(), nullptr);
        EXPECT_EQ(std::pair(host.view->model().FrameCount(), host.view->AnimationWorkerState()),
                  std::pair(2, AnimationState::Running));
    });
    test::Capture c = test::CaptureClient(host.view->hwnd());
    EXPECT_TRUE(IsFrameColour(c.At(100, 75)));
}

TEST(Tavi5ViewTest, AnAnimationFitsResizesAndSavesTheFrameShown) {
    const std::string animation = WriteAnimation("view-animation.gif", 300, 200);
    ViewHost host(200, 150);
    // One call on the window's thread: the pass that would end the resize waits behind it.
    host.ui.Run([&] {
        CTavi5View& v = *host.view;
        ASSERT_EQ(v.OpenInView(false, animation), 1);
        ASSERT_TRUE(v.model().ImageReady());
        v.SetFitFlag(true);  // the pane had scroll bars when the factor was taken
        const ZoomModel& zoom = v.model().zoom();
        EXPECT_TRUE(zoom.Permille() <= 663 && zoom.ZoomedWidth() <= 199 && zoom.ZoomedHeight() <= 149);
        ASSERT_TRUE(v.ApplyResize(120, 60, kFilterNearest));
        EXPECT_EQ(v.model().zoom().Permille(), 2000);
        // Painted from the frame shown, centred: (200 - 120) / 2 = 40, (150 - 60) / 2 = 45.
        test::Capture c = test::CaptureClient(v.hwnd());
        EXPECT_EQ(std::pair(c.At(39, 75), c.At(160, 104)), std::pair(kBackground, kBackground));
        EXPECT_TRUE(IsFrameColour(c.At(40, 45)) && IsFrameColour(c.At(159, 104)));
        const DisplayBuffer shown = v.ShownPicture();
        ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(120, 60));
        const uint8_t* p = shown.Row(59) + 3 * 119;
        EXPECT_TRUE((p[0] == 0 && p[2] == 255) || (p[0] == 255 && p[2] == 0));
    });
}

TEST(Tavi5ViewTest, SmallPictureIsCentredAndAZoomStepRepaintsIt) {
    const std::string path = Scratch("view-small.bmp");
    test::WritePicture(path, 100, 60);
    ViewHost host(400, 300);
    host.ui.Run([&] { ASSERT_EQ(host.view->OpenInView(false, path), 1); });
    test::Capture c = test::CaptureClient(host.view->hwnd());
    ASSERT_EQ(c.width, 400);
    EXPECT_EQ(std::tuple(c.At(149, 150), c.At(150, 120), c.At(249, 179), c.At(250, 180)),
              std::tuple(kBackground, RGB(0, 0, 99), RGB(99, 59, 99), kBackground));

    host.ui.Run([&] {
        host.view->SetFilter(kFilterNearest);
        host.view->ZoomIn();
    });
    const ZoomModel& zoom = host.view->model().zoom();
    EXPECT_EQ(std::tuple(zoom.Permille(), zoom.ZoomedWidth(), zoom.ZoomedHeight()), std::tuple(1049, 104, 62));
    c = test::CaptureClient(host.view->hwnd());
    // Centred: (400 - 104) / 2 = 148 and (300 - 62) / 2 = 119.
    // Nearest neighbour: display column 103 takes source column trunc(103 * 100 / 104) = 99.
    EXPECT_EQ(std::tuple(c.At(147, 150), c.At(148, 119), c.At(148 + 103, 119)),
              std::tuple(kBackground, RGB(0, 0, 99), RGB(99, 0, 99)));
}

TEST(Tavi5ViewTest, OpensScrolledToTheMiddleAndTheThumbDragsBeyond65535Pixels) {
    const std::string path = Scratch("view-wide.bmp");
    test::WritePicture(path, 70000, 2);
    ViewHost host(400, 100);
    host.ui.Run([&] {
        ASSERT_EQ(host.view->OpenInView(false, path), 1);
        const ZoomModel& zoom = host.view->model().zoom();
        ASSERT_EQ(zoom.Maximum(ScrollBar::Horizontal), 70000 - 400 - 1);
        EXPECT_EQ(zoom.Position(ScrollBar::Horizontal), zoom.Maximum(ScrollBar::Horizontal) / 2);
        HWND v = host.view->hwnd();
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        ASSERT_TRUE(GetScrollBarInfo(v, OBJID_HSCROLL, &bar));
        const int y = (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2;
        const POINT press{bar.rcScrollBar.left + (bar.xyThumbTop + bar.xyThumbBottom) / 2, y};
        POINT end{bar.rcScrollBar.right - 1, y};
        ScreenToClient(v, &end);
        // The drag waits in the queue for the tracking loop that the press on the thumb starts.
        PostMessageW(v, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
        PostMessageW(v, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
        SendMessageW(v, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, MAKELPARAM(press.x, press.y));
        EXPECT_EQ(zoom.Position(ScrollBar::Horizontal), 69599);
    });
    // The last 400 columns, from 69599 (red 69599 mod 256 = 223), on the centred rows.
    test::Capture c = test::CaptureClient(host.view->hwnd());
    const int top = (c.height - 2) / 2;
    EXPECT_EQ(std::pair(c.At(0, top), c.At(10, top + 1)), std::pair(RGB(223, 0, 99), RGB(233, 1, 99)));
}

}  // namespace
}  // namespace pv
