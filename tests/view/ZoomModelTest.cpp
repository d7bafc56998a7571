#include <gtest/gtest.h>

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

TEST(ZoomModelTest, OneStepInAndOutFromHundredPercent) {
    Fixture in({2000, 2000}, 640, 480);
    in.zoom.ZoomIn();
    EXPECT_EQ(in.zoom.Factor(), 1.05f);
    EXPECT_EQ(in.zoom.Permille(), 1049);
    EXPECT_EQ(in.zoom.ZoomedWidth(), 671);
    EXPECT_EQ(in.zoom.ClickMode(), kClickModeZoomIn);

    Fixture out({2000, 2000}, 640, 480);
    EXPECT_TRUE(out.zoom.ZoomOutAt(std::nullopt, kZoomStep));
    EXPECT_EQ(out.zoom.Permille(), 952);
    EXPECT_EQ(out.zoom.ZoomedWidth(), 609);
    EXPECT_EQ(out.zoom.ClickMode(), kClickModeZoomOut);
}

TEST(ZoomModelTest, FitShrinksWithOneFactorAndNeverEnlarges) {
    Fixture big({799, 599}, 4000, 3000);
    EXPECT_EQ(big.zoom.LayOut(true), 1);
    EXPECT_EQ(big.zoom.Factor(), 598.0f / 3000.0f);
    EXPECT_EQ(big.zoom.ZoomedWidth(), 797);
    EXPECT_EQ(big.zoom.ZoomedHeight(), 598);
    EXPECT_EQ(big.zoom.Permille(), 199);
    EXPECT_FALSE(big.host.HasBar(ScrollBar::Horizontal));

    // No larger than client + 1 in both directions: stays at 100 %.
    Fixture fits({799, 599}, 800, 600);
    EXPECT_EQ(fits.zoom.LayOut(true), 1);
    EXPECT_EQ(fits.zoom.Permille(), 1000);
    EXPECT_EQ(fits.zoom.ZoomedWidth(), 800);

    // A fitted picture under 3 pixels is refused.
    Fixture thin({100, 100}, 10000, 20);
    EXPECT_EQ(thin.zoom.LayOut(true), 0);
}

TEST(ZoomModelTest, ScrollBarAppearsOnlyBeyondClientPlusOne) {
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
}

// The second pass sees the client area the first pass's bars left; there is no third.
TEST(ZoomModelTest, ScrollRangesTakeTwoPasses) {
    Fixture f({400, 300}, 390, 305);
    f.zoom.UpdateScrollRanges();
    EXPECT_EQ(f.zoom.Maximum(ScrollBar::Vertical), 4);
    EXPECT_EQ(f.zoom.Maximum(ScrollBar::Horizontal), 390 - 383 - 1);
    EXPECT_TRUE(f.host.HasBar(ScrollBar::Horizontal));
    EXPECT_TRUE(f.host.HasBar(ScrollBar::Vertical));

    // Starting with both bars shown, the first pass adds their room back.
    f.zoom.SetImageSize(100, 100);
    f.zoom.ResetZoom();
    f.zoom.UpdateScrollRanges();
    EXPECT_EQ(f.zoom.Maximum(ScrollBar::Vertical), 0);
    EXPECT_EQ(f.zoom.Client(), (ClientSize{400, 300}));
}

TEST(ZoomModelTest, LargePictureOpensScrolledToTheMiddle) {
    Fixture f({400, 300}, 1000, 900);
    EXPECT_EQ(f.zoom.LayOut(false), 1);
    EXPECT_EQ(f.zoom.Position(ScrollBar::Horizontal), (1000 - 383 - 1) / 2);
    EXPECT_EQ(f.zoom.Position(ScrollBar::Vertical), (900 - 283 - 1) / 2);
    EXPECT_EQ(f.host.Position(ScrollBar::Horizontal), f.zoom.Position(ScrollBar::Horizontal));
}

TEST(ZoomModelTest, ZoomInKeepsTheCentreAndCorrectsForACentredPicture) {
    Fixture f({400, 300}, 1000, 900);
    f.zoom.LayOut(false);
    const int32_t h = f.zoom.Position(ScrollBar::Horizontal);
    const ClientSize c = f.zoom.Client();
    const int32_t cx = (c.width + 1) / 2 + h;
    f.zoom.ZoomIn();
    const ClientSize after = f.zoom.Client();
    EXPECT_EQ(f.zoom.Position(ScrollBar::Horizontal),
              static_cast<int32_t>(cx * static_cast<double>(1.05f)) - (after.width + 1) / 2);

    // A small centred picture: centre 200 + 0 - (400 - 100 + 1) / 2 = 50, its middle.
    Fixture s({400, 300}, 100, 100);
    s.zoom.LayOut(false);
    s.zoom.ZoomIn();
    EXPECT_EQ(s.zoom.Position(ScrollBar::Horizontal), 0);
}

TEST(ZoomModelTest, WheelZoomsAboutTheCursorAndZeroDeltaZoomsOut) {
    Fixture zero({400, 300}, 640, 480);
    zero.zoom.Wheel(0, {10, 10});
    EXPECT_EQ(zero.zoom.Permille(), 952);
    EXPECT_EQ(zero.host.zoomNotifications, 1);

    Fixture in({400, 300}, 2000, 2000);
    in.zoom.LayOut(false);
    const int32_t old = in.zoom.Position(ScrollBar::Horizontal);
    in.zoom.Wheel(120, {100, 50});
    EXPECT_EQ(in.zoom.Factor(), 1.0f / 0.95238096f);
    const int32_t px = 100 + old;
    EXPECT_EQ(in.zoom.Position(ScrollBar::Horizontal), old + static_cast<int32_t>(px * 1.05) - px);

    Fixture out({400, 300}, 2000, 2000);
    out.zoom.LayOut(false);
    const int32_t oldOut = out.zoom.Position(ScrollBar::Horizontal);
    out.zoom.Wheel(-120, {100, 50});
    const int32_t ax = 100 + oldOut;
    EXPECT_EQ(out.zoom.Position(ScrollBar::Horizontal),
              static_cast<int32_t>(ax * static_cast<double>(1.0f / 1.05f)) + oldOut - ax);
}

TEST(ZoomModelTest, ClickAndDragRules) {
    // A big drag zooms in to the rectangle even in click mode 2.
    Fixture drag({400, 300}, 1000, 1000);
    drag.zoom.LayOut(false);
    drag.zoom.SetClickMode(kClickModeZoomOut);
    const ClientSize c = drag.zoom.Client();
    drag.zoom.ClickZoom({100, 100, 150, 120});
    EXPECT_EQ(drag.zoom.ClickMode(), kClickModeZoomIn);
    EXPECT_EQ(drag.zoom.Factor(),
              std::min(static_cast<float>(c.width + 1) / 50.0f, static_cast<float>(c.height + 1) / 20.0f));

    // 15 wide and 0 high in click mode 1: the zero side sets no limit.
    Fixture flat({400, 300}, 1000, 1000);
    flat.zoom.LayOut(false);
    const ClientSize fc = flat.zoom.Client();
    flat.zoom.ClickZoom({200, 200, 215, 200});
    EXPECT_EQ(flat.zoom.Factor(), static_cast<float>(fc.width + 1) / 15.0f);

    // Under 10 in the longer side: one zoom step.
    Fixture small({400, 300}, 1000, 1000);
    small.zoom.LayOut(false);
    small.zoom.ClickZoom({200, 200, 209, 205});
    EXPECT_EQ(small.zoom.Factor(), 1.05f);

    // A plain click in mode 2 zooms out keeping the clicked point under the cursor.
    Fixture click({400, 300}, 3000, 3000);
    click.zoom.LayOut(false);
    click.zoom.SetClickMode(kClickModeZoomOut);
    const int32_t h = click.zoom.Position(ScrollBar::Horizontal);
    click.zoom.ClickZoom({h + 50, 700, h + 50, 700});
    EXPECT_EQ(click.zoom.Permille(), 952);
    const int32_t px = h + 50;
    EXPECT_EQ(click.zoom.Position(ScrollBar::Horizontal),
              static_cast<int32_t>(px * static_cast<double>(1.0f / 1.05f)) + h - px);

    // Before any picture the click mode is neither: a plain click zooms nothing.
    SimulatedScrollHost host({400, 300});
    ZoomModel fresh(host);
    fresh.ClickZoom({5, 5, 5, 5});
    EXPECT_EQ(fresh.Factor(), 1.0f);
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

// Zooming in stops before a side passes 16-bit scroll positions; the centre then moves by
// the factor actually applied.
TEST(ZoomModelTest, ZoomInStopsAtTheScrollableLimit) {
    Fixture f({400, 300}, 1000, 500);
    for (int i = 0; i < 200; ++i) {
        f.zoom.ZoomIn();
        f.zoom.Wheel(1, {200, 150});
        f.zoom.ClickZoom({10, 10, 12, 12});
    }
    EXPECT_LE(f.zoom.ZoomedWidth(), kMaxZoomedSide);
    EXPECT_GT(f.zoom.ZoomedWidth(), kMaxZoomedSide - 100);
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
    EXPECT_EQ(f.zoom.ZoomedWidth(), 1280);
    EXPECT_EQ(f.zoom.ZoomedHeight(), 480);
    EXPECT_EQ(f.zoom.Permille(), 2000);
    EXPECT_EQ(f.zoom.Filter(), kFilterNearest);
    f.zoom.ZoomIn();
    EXPECT_EQ(f.zoom.Factor(), 1.05f);
    EXPECT_EQ(f.zoom.ZoomedWidth(), 671);
    EXPECT_FALSE(f.zoom.Resize(0, 10, kFilterBilinear));
    EXPECT_FALSE(f.zoom.Resize(10, -1, kFilterBilinear));
}

TEST(ZoomModelTest, ZoomOutBelowThreePixelsDoesNotRepaint) {
    Fixture f({400, 300}, 4, 4);
    EXPECT_TRUE(f.zoom.ZoomOutAt(std::nullopt, kZoomStep));
    EXPECT_EQ(f.zoom.ZoomedWidth(), 3);
    f.zoom.SetImageSize(3, 3);
    f.zoom.ResetZoom();
    f.host.invalidations = 0;
    EXPECT_FALSE(f.zoom.ZoomOutAt(std::nullopt, kZoomStep));
    EXPECT_EQ(f.zoom.ZoomedWidth(), 2);
    EXPECT_EQ(f.host.invalidations, 0);
}

}  // namespace
}  // namespace pv
