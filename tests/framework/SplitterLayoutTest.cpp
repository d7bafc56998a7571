// The splitter's geometry: single-pane modes, the proportional divider and its limits.
#include <gtest/gtest.h>
#include <string>
#include <tuple>

#include "framework/SplitterLayout.h"

namespace pv {
namespace {

TEST(SplitterLayoutTest, ProportionalPositionTruncates) {
    struct Case {
        int32_t width;
        double fraction;
        int32_t pos;
    };

    const Case cases[] = {
            {1000, 0.382, 382}, {800, 0.382, 305}, {1264, 0.382, 482}, {0, 0.382, 0},
            {-5, 0.382, 0},     {640, 0.0, 0},     {1, 0.382, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProportionalSplitPos(c.width, c.fraction), c.pos) << c.width;
    }
}

TEST(SplitterLayoutTest, ModesShowTheRightPanes) {
    const SplitRect client{0, 0, 1000, 600};
    SplitPanes both = LayoutSplit(client, kSplitBoth, 382, 4);
    EXPECT_TRUE(both.leftVisible && both.rightVisible);
    EXPECT_EQ(both.left, (SplitRect{0, 0, 382, 600}));
    EXPECT_EQ(both.bar, (SplitRect{382, 0, 386, 600}));
    EXPECT_EQ(both.right, (SplitRect{386, 0, 1000, 600}));

    SplitPanes left = LayoutSplit(client, kSplitLeftOnly, 382, 4);
    EXPECT_EQ(std::tuple(left.leftVisible, left.rightVisible, left.left, left.bar.empty()),
              std::tuple(true, false, client, true));
    SplitPanes right = LayoutSplit(client, kSplitRightOnly, 0, 4);
    EXPECT_EQ(std::tuple(right.leftVisible, right.rightVisible, right.right), std::tuple(false, true, client));
}

TEST(SplitterLayoutTest, DividerStaysInsideTheClient) {
    const SplitRect client{0, 0, 300, 200};
    // Far right: the bar still fits; the right pane is empty rather than negative.
    SplitPanes far = LayoutSplit(client, kSplitBoth, 5000, 4);
    EXPECT_EQ(far.bar, (SplitRect{296, 0, 300, 200}));
    EXPECT_TRUE(far.right.empty());
    // Divider position 0 gives the whole width to the right pane.
    SplitPanes zero = LayoutSplit(client, kSplitBoth, 0, 4);
    EXPECT_TRUE(zero.left.empty());
    EXPECT_EQ(zero.right, (SplitRect{4, 0, 300, 200}));
    // A client narrower than the bar.
    SplitPanes tiny = LayoutSplit({0, 0, 2, 10}, kSplitBoth, 1, 4);
    EXPECT_EQ(tiny.bar.left, 0);
    EXPECT_LE(tiny.bar.right, 2);
}

TEST(SplitterLayoutTest, ClampKeepsMinimumPanes) {
    EXPECT_EQ(ClampSplitPos(10, 1000, 4, 40), 40);
    EXPECT_EQ(ClampSplitPos(990, 1000, 4, 40), 956);
    EXPECT_EQ(ClampSplitPos(500, 1000, 4, 40), 500);
    // Too narrow for two minimum panes: stays within the client.
    EXPECT_EQ(ClampSplitPos(70, 60, 4, 40), 56);
    EXPECT_EQ(ClampSplitPos(-3, 60, 4, 40), 0);
}

TEST(SplitterLayoutTest, BarHitOnlyWhenBothPanesShow) {
    std::string hits;
    for (int32_t x : {381, 382, 385, 386}) {
        hits += HitsSplitBar(x, kSplitBoth, 382, 4) ? '1' : '0';
    }
    EXPECT_EQ(hits, "0110");
    EXPECT_FALSE(HitsSplitBar(383, kSplitLeftOnly, 382, 4));
    EXPECT_FALSE(HitsSplitBar(0, kSplitRightOnly, 0, 4));
}

}  // namespace
}  // namespace pv
