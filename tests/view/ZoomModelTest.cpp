#include <gtest/gtest.h>
#include <tuple>

#include "view/SimulatedScrollHost.h"
#include "view/ZoomModel.h"

namespace pv {
namespace {

struct Fixture {
    explicit Fixture(ClientSize full, int32_t w, int32_t h) : host(full), zoom(host) {
        zoom.SetImageSize(w, h);
        zoom.ResetZoom();
    }

    SimulatedScrollHost host;
    ZoomModel zoom;
};

enum class Act {
    Fit,
    Layout,
    ZoomIn,
    ZoomOut,
    Wheel,
    Click,
    ClickOut
};

// One gesture after opening, with the numbers it must land on. A client area loses 17 to
// each bar shown; `arg` is the dragged rectangle, or the wheel delta in its left.
struct Gesture {
    const char* what;
    ClientSize full;
    int32_t width, height;
    Act act;
    Rect arg;
    int32_t permille, zoomedWidth, hPos, clickMode;
};

void PrintTo(const Gesture& g, std::ostream* os) {
    *os << g.what;
}

class ZoomGestureTest : public testing::TestWithParam<Gesture> {};

TEST_P(ZoomGestureTest, LandsOnItsNumbers) {
    const Gesture& g = GetParam();
    Fixture f(g.full, g.width, g.height);
    ASSERT_EQ(f.zoom.LayOut(g.act == Act::Fit), 1);
    switch (g.act) {
    case Act::Fit:
    case Act::Layout: break;
    case Act::ZoomIn: f.zoom.ZoomIn(); break;
    case Act::ZoomOut: EXPECT_TRUE(f.zoom.ZoomOutAt(std::nullopt, kZoomStep)); break;
    case Act::Wheel: f.zoom.Wheel(g.arg.left, {100, 50}); break;
    case Act::ClickOut: f.zoom.SetClickMode(kClickModeZoomOut); [[fallthrough]];
    case Act::Click: f.zoom.ClickZoom(g.arg); break;
    }
    EXPECT_EQ(std::tuple(f.zoom.Permille(), f.zoom.ZoomedWidth(), f.zoom.Position(ScrollBar::Horizontal),
                         f.host.Position(ScrollBar::Horizontal), f.zoom.ClickMode()),
              std::tuple(g.permille, g.zoomedWidth, g.hPos, g.hPos, g.clickMode));
}

constexpr int32_t kIn = kClickModeZoomIn;
constexpr int32_t kOut = kClickModeZoomOut;

const Gesture kGestures[] = {
        {"in one step", {2000, 2000}, 640, 480, Act::ZoomIn, {}, 1049, 671, 0, kIn},
        {"out one step", {2000, 2000}, 640, 480, Act::ZoomOut, {}, 952, 609, 0, kOut},
        // One factor for both sides, the smaller: 598 / 3000.
        {"fit shrinks", {799, 599}, 4000, 3000, Act::Fit, {}, 199, 797, 0, kIn},
        // No larger than client + 1 both ways: stays at 100 %.
        {"fit never enlarges", {799, 599}, 800, 600, Act::Fit, {}, 1000, 800, 0, kIn},
        // Opens at the middle: (1000 - 383 - 1) / 2.
        {"opens mid", {400, 300}, 1000, 900, Act::Layout, {}, 1000, 1000, 308, kIn},
        // The centre (500 in the content) moves to 524, still mid-client (192).
        {"in about the centre", {400, 300}, 1000, 900, Act::ZoomIn, {}, 1049, 1049, 332, kIn},
        // A small centred picture zooms about its own middle.
        {"in centred", {400, 300}, 100, 100, Act::ZoomIn, {}, 1049, 104, 0, kIn},
        {"wheel 0 zooms out", {400, 300}, 640, 480, Act::Wheel, {0}, 952, 609, 117, kOut},
        // The point under the cursor (908) stays under it.
        {"wheel in", {400, 300}, 2000, 2000, Act::Wheel, {120}, 1049, 2099, 853, kIn},
        {"wheel out", {400, 300}, 2000, 2000, Act::Wheel, {-120}, 952, 1904, 764, kOut},
        // A drag zooms in to the rectangle, even in zoom-out mode: min(384 / 50, 284 / 20).
        {"drag", {400, 300}, 1000, 1000, Act::ClickOut, {100, 100, 150, 120}, 7679, 7679, 767, kIn},
        // 15 wide and 0 high: the zero side sets no limit, 384 / 15.
        {"flat drag", {400, 300}, 1000, 1000, Act::Click, {200, 200, 215, 200}, 25600, 25600, 5107, kIn},
        // Under 10 in the longer side: one step.
        {"short drag", {400, 300}, 1000, 1000, Act::Click, {200, 200, 209, 205}, 1049, 1049, 22, kIn},
        // A plain click in zoom-out mode keeps the clicked point (1358) under the cursor.
        {"click out", {400, 300}, 3000, 3000, Act::ClickOut, {1358, 700, 1358, 700}, 952, 2857, 1243, kOut},
};

INSTANTIATE_TEST_SUITE_P(Zoom, ZoomGestureTest, testing::ValuesIn(kGestures));

TEST(ZoomModelTest, ScrollBarsAppearOnlyBeyondClientPlusOneInTwoPasses) {
    struct Row {
        int32_t imageWidth;
        int32_t hMax;
        bool bar;
    };

    for (const Row& row : {Row{401, 0, false}, Row{402, 1, true}, Row{450, 49, true}}) {
        Fixture f({400, 300}, row.imageWidth, 100);
        EXPECT_EQ(f.zoom.LayOut(false), 1);
        EXPECT_EQ(f.zoom.Maximum(ScrollBar::Horizontal), row.hMax) << row.imageWidth;
        EXPECT_EQ(f.host.HasBar(ScrollBar::Horizontal), row.bar) << row.imageWidth;
        EXPECT_EQ(f.zoom.Client().height, row.bar ? 283 : 300);
    }
    // The second pass sees the client area the first pass's bars left; there is no third.
    Fixture f({400, 300}, 390, 305);
    f.zoom.UpdateScrollRanges();
    EXPECT_EQ(std::pair(f.zoom.Maximum(ScrollBar::Vertical), f.zoom.Maximum(ScrollBar::Horizontal)), std::pair(4, 6));
    EXPECT_TRUE(f.host.HasBar(ScrollBar::Horizontal) && f.host.HasBar(ScrollBar::Vertical));
    // Starting with both bars shown, the first pass adds their room back.
    f.zoom.SetImageSize(100, 100);
    f.zoom.ResetZoom();
    f.zoom.UpdateScrollRanges();
    EXPECT_EQ(f.zoom.Maximum(ScrollBar::Vertical), 0);
    EXPECT_EQ(f.zoom.Client(), (ClientSize{400, 300}));
}

TEST(ZoomModelTest, LineAndPageDistances) {
    struct Row {
        ClientSize full;
        ScrollCode code;
        int32_t moved;
    };

    const Row rows[] = {
            {{40 + 17, 300}, ScrollCode::LineDown, 1},   {{40 + 17, 300}, ScrollCode::LineUp, -1},
            {{800 + 17, 300}, ScrollCode::PageDown, 51}, {{800 + 17, 300}, ScrollCode::PageUp, -51},
            {{800 + 17, 300}, ScrollCode::EndScroll, 0},
    };
    for (const Row& row : rows) {
        Fixture f(row.full, 5000, 5000);
        f.zoom.LayOut(false);
        ASSERT_EQ(f.zoom.Client().width, row.full.width - 17);
        const int32_t before = f.zoom.Position(ScrollBar::Horizontal);
        f.zoom.Scroll(ScrollBar::Horizontal, row.code, 0);
        EXPECT_EQ(f.zoom.Position(ScrollBar::Horizontal) - before, row.moved);
    }
    Fixture t({400, 300}, 5000, 5000);
    t.zoom.LayOut(false);
    t.zoom.Scroll(ScrollBar::Vertical, ScrollCode::ThumbTrack, 123);
    EXPECT_EQ(t.zoom.Position(ScrollBar::Vertical), 123);
    t.zoom.Scroll(ScrollBar::Vertical, ScrollCode::ThumbTrack, 999999);
    EXPECT_EQ(t.zoom.Position(ScrollBar::Vertical), t.zoom.Maximum(ScrollBar::Vertical));
}

// Zooming in stops before a side passes 16-bit scroll positions.
TEST(ZoomModelTest, ZoomInStopsAtTheScrollableLimit) {
    Fixture f({400, 300}, 1000, 500);
    for (int i = 0; i < 200; ++i) {
        f.zoom.ZoomIn();
        f.zoom.Wheel(1, {200, 150});
        f.zoom.ClickZoom({10, 10, 12, 12});
    }
    EXPECT_TRUE(f.zoom.ZoomedWidth() <= kMaxZoomedSide && f.zoom.ZoomedWidth() > kMaxZoomedSide - 100);
    EXPECT_LE(f.zoom.Maximum(ScrollBar::Horizontal), 65535);
    EXPECT_LE(f.zoom.Position(ScrollBar::Horizontal), f.zoom.Maximum(ScrollBar::Horizontal));

    // A picture already beyond the limit keeps its size instead of shrinking.
    Fixture wide({400, 300}, 70000, 10);
    wide.zoom.ZoomIn();
    EXPECT_EQ(wide.zoom.ZoomedWidth(), 70000);
}

TEST(ZoomModelTest, ResizeOverridesTheZoomedSizeUntilTheNextZoom) {
    Fixture f({2000, 2000}, 640, 480);
    EXPECT_TRUE(f.zoom.Resize(1280, 480, kFilterNearest));
    EXPECT_EQ(std::tuple(f.zoom.ZoomedWidth(), f.zoom.ZoomedHeight(), f.zoom.Permille(), f.zoom.Filter()),
              std::tuple(1280, 480, 2000, kFilterNearest));
    f.zoom.ZoomIn();
    EXPECT_EQ(f.zoom.ZoomedWidth(), 671);
    EXPECT_FALSE(f.zoom.Resize(0, 10, kFilterBilinear) || f.zoom.Resize(10, -1, kFilterBilinear));
}

// Fitting under 3 pixels is refused, zooming out below 3 does not repaint, a click before any
// picture zooms nothing, and the wheel tells the frame (for its title).
TEST(ZoomModelTest, TooSmallOrNoPictureAndWheelNotice) {
    Fixture thin({100, 100}, 10000, 20);
    EXPECT_EQ(thin.zoom.LayOut(true), 0);
    Fixture f({400, 300}, 4, 4);
    EXPECT_TRUE(f.zoom.ZoomOutAt(std::nullopt, kZoomStep));
    EXPECT_EQ(f.zoom.ZoomedWidth(), 3);
    f.zoom.SetImageSize(3, 3);
    f.zoom.ResetZoom();
    f.host.invalidations = 0;
    EXPECT_FALSE(f.zoom.ZoomOutAt(std::nullopt, kZoomStep));
    EXPECT_EQ(std::tuple(f.zoom.ZoomedWidth(), f.host.invalidations), std::tuple(2, 0));
    f.zoom.Wheel(0, {10, 10});
    EXPECT_EQ(f.host.zoomNotifications, 1);
    SimulatedScrollHost host({400, 300});
    ZoomModel fresh(host);
    fresh.ClickZoom({5, 5, 5, 5});
    EXPECT_EQ(fresh.Factor(), 1.0f);
}

}  // namespace
}  // namespace pv
