// The image view window under Wine: what it paints at 100 %, scrolled, after a zoom step,
// and its context menu.
#include <gtest/gtest.h>

#include <memory>

#include "UiThread.h"
#include "base/win32/Wide.h"
#include "imaging/BmpWriter.h"
#include "platform/FileSystem.h"
#include "view/win32/Tavi5View.h"

namespace pv {
namespace {

constexpr COLORREF kBackground = RGB(208, 211, 209);

// A host window whose only child is the view, filling it.
class ViewHost {
public:
    ViewHost(int clientWidth, int clientHeight)
            : ui_([this, clientWidth, clientHeight] { return Create(clientWidth, clientHeight); }) {}

    CTavi5View& view() { return *view_; }
    [[nodiscard]] HWND hwnd() const { return ui_.hwnd(); }
    void Run(const std::function<void()>& work) const { ui_.Run(work); }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == test::UiThread::kRunMessage) {
            (*reinterpret_cast<const std::function<void()>*>(l))();
            return 0;
        }
        if (m == WM_CLOSE) {
            DestroyWindow(h);
            return 0;
        }
        return DefWindowProcW(h, m, w, l);
    }

    HWND Create(int w, int h) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Tavi5ViewTestHost";
        RegisterClassW(&wc);
        RECT r{0, 0, w, h};
        AdjustWindowRect(&r, WS_POPUP, FALSE);
        HWND host = CreateWindowW(L"Tavi5ViewTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
        view_ = std::make_unique<CTavi5View>();
        view_->CreateView(host, 1000);
        MoveWindow(view_->hwnd(), 0, 0, w, h, TRUE);
        return host;
    }

    std::unique_ptr<CTavi5View> view_;
    test::UiThread ui_;
};

// A 24-bit picture whose pixel (x, y) has red x, green y, blue 99 (mod 256).
std::string WritePicture(const std::string& name, int w, int h) {
    std::vector<uint8_t> pixels(static_cast<size_t>(RowStride(24, w)) * static_cast<size_t>(h));
    ImageBuffer img;
    img.width = w;
    img.height = h;
    img.stride = RowStride(24, w);
    img.pixels = pixels.data();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.pixels + static_cast<size_t>(y) * img.stride + 3 * static_cast<size_t>(x);
            p[0] = 99;
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x);
        }
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string path = Narrow(temp) + name;
    EXPECT_EQ(WriteWholeFile(path, Encode24BitBmp(img)), Status::Ok);
    return path;
}

TEST(Tavi5ViewTest, SmallPictureIsCentredOnTheBackground) {
    std::string path = WritePicture("view-small.bmp", 200, 100);
    ViewHost host(400, 300);
    int opened = 0;
    host.Run([&] { opened = host.view().OpenInView(false, path); });
    ASSERT_EQ(opened, 1);
    test::Capture c = test::CaptureClient(host.view().hwnd());
    ASSERT_EQ(c.width, 400);
    EXPECT_EQ(c.At(0, 0), kBackground);
    EXPECT_EQ(c.At(99, 99), kBackground);
    EXPECT_EQ(c.At(100, 100), RGB(0, 0, 99));
    EXPECT_EQ(c.At(150, 120), RGB(50, 20, 99));
    EXPECT_EQ(c.At(299, 199), RGB(199, 99, 99));
    EXPECT_EQ(c.At(300, 200), kBackground);
}

TEST(Tavi5ViewTest, LargePictureOpensScrolledToTheMiddle) {
    std::string path = WritePicture("view-large.bmp", 240, 230);
    ViewHost host(100, 80);
    host.Run([&] { ASSERT_EQ(host.view().OpenInView(false, path), 1); });
    int h = 0;
    int v = 0;
    host.Run([&] {
        h = host.view().model().zoom().Position(ScrollBar::Horizontal);
        v = host.view().model().zoom().Position(ScrollBar::Vertical);
    });
    EXPECT_GT(h, 0);
    EXPECT_GT(v, 0);
    EXPECT_EQ(h, host.view().model().zoom().Maximum(ScrollBar::Horizontal) / 2);
    test::Capture c = test::CaptureClient(host.view().hwnd());
    EXPECT_EQ(c.At(0, 0), RGB(h, v, 99));
    EXPECT_EQ(c.At(10, 5), RGB(h + 10, v + 5, 99));
}

TEST(Tavi5ViewTest, ZoomStepRepaintsTheScaledPicture) {
    std::string path = WritePicture("view-zoom.bmp", 100, 60);
    ViewHost host(400, 300);
    host.Run([&] {
        ASSERT_EQ(host.view().OpenInView(false, path), 1);
        host.view().SetFilter(kFilterNearest);
        host.view().ZoomIn();
    });
    EXPECT_EQ(host.view().model().zoom().Permille(), 1049);
    EXPECT_EQ(host.view().model().zoom().ZoomedWidth(), 104);
    test::Capture c = test::CaptureClient(host.view().hwnd());
    // Centred: (400 - 104) / 2 = 148 and (300 - 62) / 2 = 119.
    EXPECT_EQ(host.view().model().zoom().ZoomedHeight(), 62);
    EXPECT_EQ(c.At(147, 150), kBackground);
    EXPECT_EQ(c.At(148, 119), RGB(0, 0, 99));
    // Nearest neighbour: display column 103 takes source column trunc(103 * 100 / 104) = 99.
    EXPECT_EQ(c.At(148 + 103, 119), RGB(99, 0, 99));
}

}  // namespace
}  // namespace pv
