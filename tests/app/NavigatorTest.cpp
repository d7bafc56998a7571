#include <gtest/gtest.h>
#include <set>
#include <vector>

#include "app/Navigator.h"

namespace pv {
namespace {

struct FakeList final : NavigationList {
    std::vector<std::string> names;
    std::string root = "\\pics\\";
    int32_t folderPick = 0;
    std::string builtFor;

    int32_t EntryCount() const override { return static_cast<int32_t>(names.size()); }

    std::string RelativePath(int32_t i) const override { return names.at(static_cast<size_t>(i)); }

    std::string RootFolder() const override { return root; }

    int32_t BuildFolderList(const std::string& path) override {
        builtFor = path;
        return folderPick;
    }
};

struct FakeHost final : NavigatorHost {
    std::set<std::string> unreadable;
    std::vector<std::string> opened;
    std::vector<std::string> texts;  // "counter:", "title:", "status:" in call order
    std::string storedOpenFile;
    int32_t mode = 0;
    bool bothPanes = false;

    int OpenInView(bool, const std::string& path) override {
        opened.push_back(path);
        return unreadable.count(path) != 0 ? 0 : 1;
    }

    ViewTextState ViewState() const override { return {false, 1, 640, 480, 1049}; }

    void SetCounterText(const std::string& t) override { texts.push_back("counter:" + t); }

    void SetTitleText(const std::string& t) override { texts.push_back("title:" + t); }

    void SetStatusText(const std::string& t) override { texts.push_back("status:" + t); }

    int32_t ViewMode() const override { return mode; }

    void ShowBothPanes() override { bothPanes = true; }

    void StoreOpenFile(const std::string& p) override { storedOpenFile = p; }
};

struct Nav {
    Nav() : nav(list, host) {
        list.names = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"};
        nav.SetCurrentFolder("\\pics\\");
        nav.SetFileCount(6);
    }

    FakeList list;
    FakeHost host;
    Navigator nav;
};

TEST(NavigatorTest, NextStepsOverUnreadableFilesAndShowsThePosition) {
    Nav n;
    n.host.unreadable = {"\\pics\\b.jpg", "\\pics\\c.jpg", "\\pics\\d.jpg"};
    n.nav.Next();
    EXPECT_EQ(n.nav.CurrentIndex(), 4);
    EXPECT_EQ(n.nav.ShownIndex(), 4);
    EXPECT_EQ(n.host.opened.size(), 4u);
    ASSERT_EQ(n.host.texts.size(), 3u);
    EXPECT_EQ(n.host.texts[0], "counter:5  /  6");
    EXPECT_EQ(n.host.texts[1], "title:\\pics\\e.jpg: src: 640 x 480 pixels zoom: 104 %");
    EXPECT_EQ(n.host.texts[2], "status:\\pics\\e.jpg");
}

TEST(NavigatorTest, NeverWrapsAtEitherEnd) {
    Nav n;
    n.nav.SetCurrentIndex(5);
    n.nav.Next();
    EXPECT_EQ(n.nav.CurrentIndex(), 5);
    EXPECT_EQ(n.host.opened.back(), "\\pics\\f.jpg") << "Next at the last entry re-opens it";

    n.nav.SetCurrentIndex(0);
    n.nav.Previous();
    EXPECT_EQ(n.nav.CurrentIndex(), 0);
    EXPECT_EQ(n.host.opened.back(), "\\pics\\a.jpg");

    // Everything before entry 3 fails going backwards: the last entry tried stays current.
    n.host.unreadable = {"\\pics\\a.jpg", "\\pics\\b.jpg", "\\pics\\c.jpg"};
    n.host.opened.clear();
    n.nav.SetCurrentIndex(3);
    n.nav.Previous();
    EXPECT_EQ(n.nav.CurrentIndex(), 0);
    EXPECT_EQ(n.host.opened, (std::vector<std::string>{"\\pics\\c.jpg", "\\pics\\b.jpg", "\\pics\\a.jpg"}));
}

TEST(NavigatorTest, EmptyListDoesNothingAndThumbnailsOnlyBringsTheViewBack) {
    Nav n;
    n.list.names.clear();
    n.nav.Next();
    n.nav.Previous();
    n.nav.Begin();
    EXPECT_EQ(n.nav.ShowItem(0), 0);
    EXPECT_TRUE(n.host.opened.empty());
    EXPECT_TRUE(n.host.texts.empty());

    Nav t;
    t.host.mode = 1;
    t.nav.Next();
    EXPECT_TRUE(t.host.bothPanes);
}

TEST(NavigatorTest, ShowItemOpensOnceWithoutSteppingAndRefusesStaleIndices) {
    Nav n;
    n.host.unreadable = {"\\pics\\c.jpg"};
    EXPECT_EQ(n.nav.ShowItem(2), 0);
    EXPECT_EQ(n.host.opened, (std::vector<std::string>{"\\pics\\c.jpg"}));
    EXPECT_EQ(n.nav.CurrentIndex(), 2);
    EXPECT_EQ(n.host.texts.front(), "counter:3  /  6");

    n.host.opened.clear();
    n.nav.ShowItem(9);
    n.nav.ShowIndex(-1);
    n.nav.ShowIndex(6);
    EXPECT_TRUE(n.host.opened.empty());
    EXPECT_EQ(n.nav.ShownIndex(), 9) << "the clicked index is remembered even when it opens nothing";
}

TEST(NavigatorTest, BeginShowsTheFirstEntryFromTheListsFolder) {
    Nav n;
    n.list.root = "\\other\\";
    n.nav.SetCurrentIndex(4);
    n.host.unreadable = {"\\other\\a.jpg"};
    n.nav.Begin();
    EXPECT_EQ(n.nav.CurrentFolder(), "\\other\\");
    EXPECT_EQ(n.nav.CurrentIndex(), 1);
    EXPECT_EQ(n.nav.ShownIndex(), 1);
    EXPECT_EQ(n.host.opened.back(), "\\other\\b.jpg");
}

// The command-line road finds the file by name without case, writes the counter and
// status before each try, and leaves the title alone.
TEST(NavigatorTest, CommandLineFileIsFoundByNameAndSteppedWithPerTryTexts) {
    Nav n;
    n.list.folderPick = 0;
    n.host.unreadable = {"\\pics\\c.jpg"};
    n.nav.OpenCommandLineFile("\\pics\\C.JPG");
    EXPECT_EQ(n.list.builtFor, "\\pics\\C.JPG");
    EXPECT_EQ(n.host.storedOpenFile, "\\pics\\C.JPG");
    EXPECT_EQ(n.nav.ShownIndex(), 2);
    EXPECT_EQ(n.nav.CurrentIndex(), 3);
    EXPECT_EQ(n.host.texts, (std::vector<std::string>{"counter:3  /  6", "status:\\pics\\c.jpg", "counter:4  /  6",
                                                      "status:\\pics\\d.jpg"}));

    Nav m;
    m.list.folderPick = 4;
    m.nav.OpenCommandLineFile("C:\\Pics\\zzz.jpg\\");
    EXPECT_EQ(m.host.storedOpenFile, "c:\\Pics\\zzz.jpg");
    EXPECT_EQ(m.nav.CurrentIndex(), 4) << "without a match the folder list's choice stays";
    EXPECT_EQ(m.nav.CurrentFolder(), "C:\\Pics\\");
}

TEST(NavigatorTest, TitleFormats) {
    EXPECT_EQ(TitleText("x.gif", {false, 7, 10, 20, 2000}), "x.gif : 7 frames src: 10 x 20 pixels zoom: 200 %");
    EXPECT_EQ(TitleText("x.bmp", {false, 1, 4000, 3000, 199}), "x.bmp: src: 4000 x 3000 pixels zoom: 19 %");
    EXPECT_EQ(TitleText("x.avi", {true, 0, 0, 0, 0}), "x.avi");
    EXPECT_EQ(CounterText(0, 1), "1  /  1");
}

}  // namespace
}  // namespace pv
