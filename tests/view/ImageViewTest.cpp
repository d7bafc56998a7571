#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

#include "TestPaths.h"
#include "imaging/BmpBuilder.h"
#include "imaging/ReaderFileBuilders.h"
#include "platform/FileSystem.h"
#include "view/BackgroundGrey.h"
#include "view/ImageView.h"
#include "view/SimulatedScrollHost.h"

namespace pv {
namespace {

struct FakeMedia final : MediaWindow {
    bool exists = false;
    std::vector<std::string> calls;

    bool Exists() const override { return exists; }

    void Close() override {
        calls.push_back("close");
        exists = false;
    }

    void StopAndCloseMedium() override { calls.push_back("stop"); }

    void Play(const std::string& path) override {
        calls.push_back("play " + path);
        exists = true;
    }
};

struct FakeEvents final : ImageViewEvents {
    std::vector<std::string> calls;

    void StopAnimation() override { calls.push_back("stop-animation"); }

    void StartAnimation() override { calls.push_back("start-animation"); }

    void FillBackground() override { calls.push_back("fill"); }

    void ShowMessage(std::string_view text, std::string_view caption) override {
        calls.push_back(std::string(caption) + ": " + std::string(text));
    }
};

std::vector<uint8_t> Bmp(int32_t w, int32_t h) {
    test::BmpSpec s;
    s.width = w;
    s.height = h;
    const size_t stride = (3 * static_cast<size_t>(w) + 3) & ~size_t{3};
    for (int32_t y = 0; y < h; ++y) {
        s.fileRows.emplace_back(stride, static_cast<uint8_t>(y * 7));
    }
    return test::BuildBmp(s);
}

struct Fixture {
    Fixture() : host({400, 300}), view(host, &events, &media) { dir = test::MakeScratchDir("view"); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        test::WriteHostFile(dir + "/" + name, bytes);
        return ProgramPathFromHost(dir + "/" + name);
    }

    SimulatedScrollHost host;
    FakeEvents events;
    FakeMedia media;
    ImageView view;
    std::string dir;
};

TEST(ImageViewTest, OpensPicturesFitsAndCentres) {
    Fixture f;
    const std::string small = f.Write("small.bmp", Bmp(100, 50));
    EXPECT_EQ(f.view.OpenInView(true, small), 1);
    EXPECT_TRUE(f.view.ImageReady());
    EXPECT_EQ(f.view.zoom().Permille(), 1000);
    EXPECT_EQ(f.view.CurrentPathParts().extension, ".bmp");
    ASSERT_TRUE(f.view.RenderVisible());
    EXPECT_EQ(std::pair(f.view.Plan().picture, f.view.Plan().backgroundCount), std::pair(Rect{150, 125, 250, 175}, 4));

    const std::string big = f.Write("big.bmp", Bmp(2000, 1000));
    EXPECT_EQ(f.view.OpenInView(true, big), 1);
    // Fitted by 399 / 2000, which as a float is just under 0.1995.
    EXPECT_EQ(f.view.zoom().ZoomedWidth(), 398);
    // Fitted below 3 pixels: refused.
    const std::string thin = f.Write("thin.bmp", Bmp(4000, 2));
    EXPECT_EQ(f.view.OpenInView(true, thin), 0);
    EXPECT_EQ(f.view.OpenInView(false, thin), 1);
}

TEST(ImageViewTest, FailuresAndOddContentByType) {
    Fixture f;
    EXPECT_EQ(f.view.OpenInView(false, ProgramPathFromHost(f.dir + "/missing.bmp")), 0);
    EXPECT_EQ(f.view.Image(), nullptr);

    // A JPEG-named file that is neither JPEG, GIF nor BMP counts as opened, showing nothing.
    const std::string odd = f.Write("odd.JpG", {'X', 'Y', 'Z', 'W', 0, 0});
    EXPECT_EQ(f.view.OpenInView(false, odd), 1);
    EXPECT_FALSE(f.view.Image() != nullptr || f.view.RenderVisible());

    const std::string gif = f.Write("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1});
    f.events.calls.clear();
    EXPECT_EQ(f.view.OpenInView(false, gif), 0);
    EXPECT_EQ(f.events.calls.back(), "Pictavo: Can't read image!");
}

TEST(ImageViewTest, MediaGoesToTheMediaWindowWhichIsReusedOrClosed) {
    Fixture f;
    EXPECT_EQ(f.view.OpenInView(true, "\\v\\clip.MPEG"), 1);
    EXPECT_TRUE(f.view.IsMedia());
    EXPECT_FALSE(f.view.ImageReady());
    EXPECT_EQ(f.view.OpenInView(true, "\\v\\clip2.avi"), 1);
    const std::string pic = f.Write("p.bmp", Bmp(10, 10));
    EXPECT_EQ(f.view.OpenInView(true, pic), 1);
    EXPECT_FALSE(f.view.IsMedia());
    EXPECT_EQ(f.media.calls, (std::vector<std::string>{"play \\v\\clip.MPEG", "stop", "play \\v\\clip2.avi", "close"}));
    // The pane is cleared before each medium and before the picture that follows one.
    EXPECT_EQ(std::count(f.events.calls.begin(), f.events.calls.end(), "fill"), 3);
    // "mpg4" is no media extension: it goes to the picture-object reader and fails.
    EXPECT_EQ(f.view.OpenInView(true, "\\v\\clip.mpg4"), 0);
}

// A pasted or captured picture replaces a playing medium (its window closes) and opens at
// 100 %, scrolled to its middle when it is larger than the pane.
TEST(ImageViewTest, AnAdoptedPictureEndsTheMediumAndShowsAsAStill) {
    Fixture f;
    EXPECT_EQ(f.view.OpenInView(false, "\\v\\song.wav"), 1);
    f.view.zoom().ZoomIn();
    HeldPicture p{.width = 1000, .height = 500};
    p.pixels.assign(size_t{p.Stride()} * 500, 9);
    f.view.AdoptPicture(std::move(p), "(Clipboard)");
    EXPECT_EQ(f.media.calls.back(), "close");
    EXPECT_TRUE(!f.view.IsMedia() && f.view.ImageReady());
    EXPECT_EQ(f.view.CurrentPath(), "(Clipboard)");
    EXPECT_EQ(std::tuple(f.view.zoom().Permille(), f.view.zoom().ZoomedWidth(), f.view.zoom().ZoomedHeight()),
              std::tuple(1000, 1000, 500));
    EXPECT_EQ(f.view.zoom().Position(ScrollBar::Horizontal), f.view.zoom().Maximum(ScrollBar::Horizontal) / 2);
    ASSERT_TRUE(f.view.RenderVisible());
    EXPECT_EQ(f.view.display().bytes[0], 9);
    // A picture whose rows are short is refused: nothing is shown, nothing is read.
    f.view.AdoptPicture(HeldPicture{.width = 10, .height = 10, .pixels = std::vector<uint8_t>(5)}, "(Clipboard)");
    EXPECT_FALSE(f.view.ImageReady() || f.view.RenderVisible());
}

// The view hands the current background grey (0 in full screen) to the cursor reader: the
// cells a cursor image leaves empty follow it.
TEST(ImageViewTest, CursorStripTakesTheCurrentBackgroundGrey) {
    test::IconEntrySpec cursor;  // 16 x 16, 4 bits, every pixel palette entry 0
    cursor.palette.assign(16, Bgr{1, 2, 3});
    cursor.rows.assign(16, test::Bytes(8, 0));
    Fixture f;
    const std::string path = f.Write("c.cur", test::BuildIconFile(2, {cursor}));
    for (const uint8_t grey : {uint8_t{0}, uint8_t{90}}) {
        BackgroundGrey() = grey;
        ASSERT_EQ(f.view.OpenInView(false, path), 1);
        ASSERT_NE(f.view.Image(), nullptr);
        EXPECT_EQ(std::pair(PixelAt(*f.view.Image(), 0, 0), PixelAt(*f.view.Image(), 63, 63)),
                  std::pair(Bgr{1, 2, 3}, Bgr{grey, grey, grey}))
                << int{grey};
    }
    BackgroundGrey() = kStartupBackgroundGrey;
}

}  // namespace
}  // namespace pv
