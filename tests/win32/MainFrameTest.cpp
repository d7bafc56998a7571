// The main frame under Wine, on its own frame thread with its real message loop, driven by
// messages as a user's clicks and keys would drive it.
#include <gtest/gtest.h>
#include <string>

#include "Harness.h"
#include "TestPaths.h"

namespace pv {
namespace {

using test::FrameUnderTest;
using test::Send;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::MakeScratchDir("frame") + "\\";
        test::WritePicture(folder_ + "a.bmp", 3, 2);
        test::WritePicture(folder_ + "b.bmp", 5, 4);
        ASSERT_EQ(WriteWholeFile(folder_ + "c.bmp", {'B', 'M', 1, 2}), Status::Ok);  // unreadable
        ASSERT_EQ(WriteWholeFile(folder_ + "d.bmp", {'n', 'o'}), Status::Ok);        // unreadable
        test::WritePicture(folder_ + "e.bmp", 1200, 900);
    }

    [[nodiscard]] std::string Tail(const char* name) const { return "\"" + folder_ + name + "\""; }

    test::RegistrySandbox sandbox_;
    std::string folder_;
};

TEST_F(MainFrameTest, OpeningAndSteppingWriteCounterTitleAndStatus) {
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    // The command-line road writes counter and status, and leaves the title.
    EXPECT_EQ(f.Counter() + "|" + f.StatusPane() + "|" + f.Title(), "1  /  5|" + folder_ + "a.bmp|Pictavo");

    struct Step {
        UINT command;
        const char* counter;
        std::string title;
    };

    const Step steps[] = {
            {ID_LIST_FORWARD, "2  /  5", folder_ + "b.bmp: src: 5 x 4 pixels zoom: 100 %"},
            {ID_LIST_FORWARD, "5  /  5", folder_ + "e.bmp: src: 1200 x 900 pixels zoom: 100 %"},  // over c, d
            {ID_LIST_FORWARD, "5  /  5", folder_ + "e.bmp: src: 1200 x 900 pixels zoom: 100 %"},  // no wrapping
            {ID_LIST_BACK, "2  /  5", folder_ + "b.bmp: src: 5 x 4 pixels zoom: 100 %"},
            {ID_LIST_BEGIN, "1  /  5", folder_ + "a.bmp: src: 3 x 2 pixels zoom: 100 %"},
            {ID_VIEW_ZOOMIN, "1  /  5", folder_ + "a.bmp: src: 3 x 2 pixels zoom: 104 %"},
    };
    for (const Step& s : steps) {
        f.Command(s.command);
        EXPECT_EQ(f.Counter(), s.counter) << s.title;
        EXPECT_EQ(f.Title(), s.title);
    }
    EXPECT_EQ(f.StatusPane(), folder_ + "a.bmp");
}

TEST_F(MainFrameTest, ToggleShowsTheModesPanesAndAnEmptyFrameStaysAsItIs) {
    {
        FrameUnderTest empty;
        ASSERT_NE(empty.frame(), nullptr);
        MINMAXINFO info{};
        Send(empty.frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_TRUE(info.ptMinTrackSize.x == 800 && info.ptMinTrackSize.y == 660);  // no smaller by dragging
        empty.Command(ID_VIEW_TOGGLE);
        EXPECT_EQ(empty.Mode(), 0);  // nothing to show in thumbnails: no change
        // A click on the empty view asks for the texts: there is nothing to write.
        Send(empty.frame(), UM_REFRESHTEXTS, 0, 0);
        EXPECT_EQ(empty.Title() + "|" + empty.Counter(), "Pictavo|");
    }
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    for (int expected : {1, -1, 0}) {
        f.Command(ID_VIEW_TOGGLE);
        EXPECT_EQ(f.Mode(), expected);
    }
}

TEST_F(MainFrameTest, FullScreenCoversTheScreenAndRestoresThePlacement) {
    test::StoreWindowRect(0, 0, 900, 700);  // above the minimum tracking size: comes back exactly
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    RECT before{};
    GetWindowRect(f.frame(), &before);
    f.Command(ID_VIEW_FULLSCREEN);
    EXPECT_EQ(f.Mode(), 1);  // one Toggle step
    RECT full{}, screen{};
    GetWindowRect(f.frame(), &full);
    GetWindowRect(GetDesktopWindow(), &screen);
    EXPECT_TRUE(full.left < screen.left && full.top < screen.top && full.right > screen.right &&
                full.bottom > screen.bottom);
    EXPECT_FALSE(IsWindowVisible(f.Child(IDC_STATUS_BAR)) || IsWindowVisible(f.Child(IDC_REBAR)));

    f.PressKey(f.view(), VK_ESCAPE);  // Escape leaves full screen
    RECT after{};
    GetWindowRect(f.frame(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top << "," << after.right;
    EXPECT_EQ(f.Mode(), -1);  // and takes one more step
    EXPECT_TRUE(IsWindowVisible(f.Child(IDC_STATUS_BAR)));
}

// While a message box of one open is up, its loop still delivers messages to the frame: a
// second road arriving then is refused, not run inside the paused open.
TEST_F(MainFrameTest, ARoadArrivingWhileAnOpensMessageBoxIsUpIsRefused) {
    ASSERT_EQ(WriteWholeFile(folder_ + "f.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, '!'}), Status::Ok);
    FrameUnderTest f(Tail("a.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    HWND box = f.PostForDialog(UM_SHOWITEM, 5, 0);  // the broken GIF: "Can't read image!"
    ASSERT_NE(box, nullptr);
    f.Command(ID_LIST_BACK);
    Send(f.frame(), UM_SHOWITEM, 1, 0);
    EXPECT_EQ(f.Counter() + "|" + f.Title(), "1  /  6|Pictavo");
    Send(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(f.Counter() + "|" + f.StatusPane(), "6  /  6|" + folder_ + "f.gif");
    f.Command(ID_LIST_BACK);  // after the open, roads run again
    EXPECT_EQ(f.Counter(), "5  /  6");
}

TEST_F(MainFrameTest, ArrowKeysScrollTheImageViewWhereverTheFocusIs) {
    FrameUnderTest f(Tail("e.bmp"));
    ASSERT_NE(f.frame(), nullptr);
    const int h0 = GetScrollPos(f.view(), SB_HORZ);
    const int v0 = GetScrollPos(f.view(), SB_VERT);
    ASSERT_GT(h0, 0);  // a large picture opens scrolled to its middle

    f.PressKey(f.Child(IDC_KEYWORD_EDIT), VK_RIGHT);
    EXPECT_GT(GetScrollPos(f.view(), SB_HORZ), h0);
    f.PressKey(f.view(), VK_NEXT);
    EXPECT_GT(GetScrollPos(f.view(), SB_VERT), v0);
    f.PressKey(f.view(), VK_UP);
    f.PressKey(f.view(), VK_PRIOR);
    EXPECT_LT(GetScrollPos(f.view(), SB_VERT), v0);
}

}  // namespace
}  // namespace pv
