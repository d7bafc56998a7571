#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "app/Navigator.h"

namespace pv {
namespace {

struct FakeList final : NavigationList {
    std::vector<std::string> names;
    std::string root = "\\pics\\";
    FolderPick folderPick;
    std::string builtFor;

    int32_t EntryCount() const override { return static_cast<int32_t>(names.size()); }

    // An index past either end names the folder itself, as a fault stepping off the list would.
    std::string RelativePath(int32_t i) const override {
        return i >= 0 && i < EntryCount() ? names[static_cast<size_t>(i)] : std::string();
    }

    std::string RootFolder() const override { return root; }

    FolderPick BuildFolderList(const std::string& path) override {
        builtFor = path;
        return folderPick;
    }
};

struct FakeHost final : NavigatorHost {
    std::set<std::string> unreadable;
    std::vector<std::string> opened;
    std::vector<std::string> texts;  // "counter:", "title:", "status:" in call order
    std::vector<std::string> messages;
    std::string storedOpenFile;
    bool thumbsOnly = false;
    bool bothPanes = false;
    std::function<void()> whileOpening;  // a second road arriving inside the open

    int OpenInView(bool, const std::string& path) override {
        opened.push_back(path);
        if (whileOpening) {
            std::exchange(whileOpening, nullptr)();
        }
        return unreadable.count(path) != 0 ? 0 : 1;
    }

    ViewTextState ViewState() const override { return {false, 1, 640, 480, 1049}; }

    void SetCounterText(const std::string& t) override { texts.push_back("counter:" + t); }

    void SetTitleText(const std::string& t) override { texts.push_back("title:" + t); }

    void SetStatusText(const std::string& t) override { texts.push_back("status:" + t); }

    bool BringImageBack() override {
        bothPanes = thumbsOnly;
        return thumbsOnly;
    }

    void StoreOpenFile(const std::string& p) override { storedOpenFile = p; }

    void ShowInfo(const std::string& t) override { messages.push_back(t); }
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
    EXPECT_EQ(n.host.texts,
              (std::vector<std::string>{"counter:5  /  6", "title:\\pics\\e.jpg: src: 640 x 480 pixels zoom: 104 %",
                                        "status:\\pics\\e.jpg"}));
}

// Stepping stops at either end of the list without wrapping, and never opens past it: the
// last entry tried stays current.
TEST(NavigatorTest, SteppingStopsAtTheEndsWithoutWrapping) {
    struct Case {
        const char* what;
        int32_t from;
        bool forward;
        std::set<std::string> unreadable;
        std::vector<std::string> opened;
        int32_t ends;
        const char* counter;
    };

    const Case cases[] = {
            {"Next at the last entry re-opens it", 5, true, {}, {"\\pics\\f.jpg"}, 5, "counter:6  /  6"},
            {"Previous at the first re-opens it", 0, false, {}, {"\\pics\\a.jpg"}, 0, "counter:1  /  6"},
            {"Next over unreadable files at the end stops at the last",
             3,
             true,
             {"\\pics\\e.jpg", "\\pics\\f.jpg"},
             {"\\pics\\e.jpg", "\\pics\\f.jpg"},
             5,
             "counter:6  /  6"},
            {"Previous over unreadable files at the start stops at the first",
             3,
             false,
             {"\\pics\\a.jpg", "\\pics\\b.jpg", "\\pics\\c.jpg"},
             {"\\pics\\c.jpg", "\\pics\\b.jpg", "\\pics\\a.jpg"},
             0,
             "counter:1  /  6"},
    };
    for (const Case& c : cases) {
        Nav n;
        n.host.unreadable = c.unreadable;
        n.nav.SetCurrentIndex(c.from);
        c.forward ? n.nav.Next() : n.nav.Previous();
        EXPECT_EQ(n.host.opened, c.opened) << c.what;
        EXPECT_EQ(n.nav.CurrentIndex(), c.ends) << c.what;
        ASSERT_FALSE(n.host.texts.empty()) << c.what;
        EXPECT_EQ(n.host.texts.front(), c.counter) << c.what;
    }
}

// With nothing in the list there is nothing to open or describe: no road opens, and a
// refresh (a click on the empty view asks for one) writes no counter, title or status.
TEST(NavigatorTest, EmptyListOpensAndWritesNothing) {
    Nav n;
    n.list.names.clear();
    n.nav.Next();
    n.nav.Previous();
    n.nav.Begin();
    EXPECT_EQ(n.nav.ShowItem(0), 0);
    n.nav.RefreshTexts();
    EXPECT_TRUE(n.host.opened.empty());
    EXPECT_TRUE(n.host.texts.empty());
}

TEST(NavigatorTest, ThumbnailsOnlyBringsTheImageViewBack) {
    Nav n;
    n.host.thumbsOnly = true;
    n.nav.Next();
    EXPECT_TRUE(n.host.bothPanes);
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

// Begin tries entry 0 once (a broken first file reports its failure once), then steps on.
TEST(NavigatorTest, BeginOpensTheFirstEntryOnceFromTheListsFolder) {
    Nav n;
    n.list.root = "\\other\\";
    n.nav.SetCurrentIndex(4);
    n.host.unreadable = {"\\other\\a.jpg"};
    n.nav.Begin();
    EXPECT_EQ(n.nav.CurrentFolder(), "\\other\\");
    EXPECT_EQ(n.host.opened, (std::vector<std::string>{"\\other\\a.jpg", "\\other\\b.jpg"}));
    EXPECT_EQ(n.nav.CurrentIndex(), 1);
    EXPECT_EQ(n.nav.ShownIndex(), 1);
}

// The command-line road finds the file by name without case, writes the counter and
// status before each try, and leaves the title alone.
TEST(NavigatorTest, CommandLineFileIsFoundByNameAndSteppedWithPerTryTexts) {
    Nav n;
    n.host.unreadable = {"\\pics\\c.jpg"};
    n.nav.OpenCommandLineFile("\\pics\\C.JPG");
    EXPECT_EQ(n.list.builtFor, "\\pics\\C.JPG");
    EXPECT_EQ(n.host.storedOpenFile, "\\pics\\C.JPG");
    EXPECT_EQ(n.nav.ShownIndex(), 2);
    EXPECT_EQ(n.nav.CurrentIndex(), 3);
    EXPECT_EQ(n.host.texts, (std::vector<std::string>{"counter:3  /  6", "status:\\pics\\c.jpg", "counter:4  /  6",
                                                      "status:\\pics\\d.jpg"}));
    EXPECT_TRUE(n.host.messages.empty());

    Nav m;
    m.list.folderPick.current = 4;
    m.nav.OpenCommandLineFile("C:\\Pics\\zzz.jpg\\");
    EXPECT_EQ(m.host.storedOpenFile, "c:\\Pics\\zzz.jpg");
    EXPECT_EQ(m.nav.CurrentIndex(), 4) << "without a match the folder list's choice stays";
    EXPECT_EQ(m.nav.CurrentFolder(), "C:\\Pics\\");
}

// A folder with no file of a known type says so, whichever road listed it.
TEST(NavigatorTest, FolderWithoutKnownFilesSaysNoImageSelected) {
    for (int road = 0; road < 3; ++road) {
        Nav n;
        n.list.names.clear();
        n.list.folderPick.found = false;
        road == 0 ? n.nav.OpenCommandLineFile("\\empty\\x.txt")
                  : (road == 1 ? n.nav.OpenChosenFile("\\empty\\x.txt") : n.nav.OpenTreePath("\\empty\\x.txt"));
        EXPECT_EQ(n.host.messages, std::vector<std::string>{" No Image Selected"}) << "road " << road;
    }
}

// File Open shows the chosen file and makes it the current path: the texts, a later zoom's
// title and the sort all name it.
TEST(NavigatorTest, FileOpenMakesTheChosenFileCurrent) {
    Nav n;
    n.nav.SetCurrentIndex(0);
    n.nav.ShowItem(0);
    n.host.texts.clear();
    n.list.root = "\\new\\";
    n.list.folderPick.current = 1;
    n.nav.OpenChosenFile("\\new\\b.jpg");
    EXPECT_EQ(n.host.opened.back(), "\\new\\b.jpg");
    EXPECT_EQ(n.nav.CurrentPath(), "\\new\\b.jpg");
    EXPECT_EQ(n.nav.CurrentFolder(), "\\new\\");
    EXPECT_EQ(n.host.storedOpenFile, "\\new\\b.jpg");
    EXPECT_EQ(n.host.texts,
              (std::vector<std::string>{"counter:2  /  6", "title:\\new\\b.jpg: src: 640 x 480 pixels zoom: 104 %",
                                        "status:\\new\\b.jpg"}));
    n.nav.Next();
    EXPECT_EQ(n.host.opened.back(), "\\new\\c.jpg");
}

// Sorting moves entries under the index; the file shown stays current wherever it went.
TEST(NavigatorTest, SortKeepsTheCurrentFileCurrent) {
    Nav n;
    n.nav.ShowItem(1);  // b.jpg
    n.host.texts.clear();
    n.nav.SortKeepingCurrent([&] { n.list.names = {"f.jpg", "e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"}; });
    EXPECT_EQ(n.nav.CurrentIndex(), 4);
    EXPECT_EQ(n.nav.CurrentPath(), "\\pics\\b.jpg");
    EXPECT_EQ(n.host.texts.front(), "counter:5  /  6");
}

// A road arriving while an open is in progress (inside a message box of that open) is
// refused: it neither opens a file nor moves the index under the paused open.
TEST(NavigatorTest, ASecondRoadDuringAnOpenIsRefused) {
    const std::vector<std::function<void(Navigator&)>> secondRoads = {
            [](Navigator& nav) { nav.Next(); },
            [](Navigator& nav) { nav.Previous(); },
            [](Navigator& nav) { nav.Begin(); },
            [](Navigator& nav) { nav.ShowItem(5); },
            [](Navigator& nav) { nav.ShowIndex(5); },
            [](Navigator& nav) { nav.ReportDoubleClick(5); },
            [](Navigator& nav) { nav.OpenChosenFile("\\pics\\f.jpg"); },
            [](Navigator& nav) { nav.OpenCommandLineFile("\\pics\\f.jpg"); },
            [](Navigator& nav) { nav.SortKeepingCurrent([] { FAIL() << "sorted inside an open"; }); },
    };
    for (size_t road = 0; road < secondRoads.size(); ++road) {
        Nav n;
        bool busyInside = false;
        n.host.whileOpening = [&] {
            busyInside = n.nav.Busy();
            secondRoads[road](n.nav);
        };
        n.nav.ShowItem(2);
        EXPECT_TRUE(busyInside) << "road " << road;
        EXPECT_EQ(n.host.opened, std::vector<std::string>{"\\pics\\c.jpg"}) << "road " << road;
        EXPECT_EQ(n.nav.CurrentIndex(), 2) << "road " << road;
        EXPECT_EQ(n.nav.CurrentPath(), "\\pics\\c.jpg") << "road " << road;
        EXPECT_FALSE(n.nav.Busy()) << "road " << road;
        n.nav.Next();  // the next road, after the open, runs
        EXPECT_EQ(n.host.opened.back(), "\\pics\\d.jpg") << "road " << road;
    }
}

TEST(NavigatorTest, TitleFormats) {
    EXPECT_EQ(TitleText("x.gif", {false, 7, 10, 20, 2000}), "x.gif : 7 frames src: 10 x 20 pixels zoom: 200 %");
    EXPECT_EQ(TitleText("x.bmp", {false, 1, 4000, 3000, 199}), "x.bmp: src: 4000 x 3000 pixels zoom: 19 %");
    EXPECT_EQ(TitleText("x.avi", {true, 0, 0, 0, 0}), "x.avi");
    EXPECT_EQ(CounterText(0, 1), "1  /  1");
}

}  // namespace
}  // namespace pv
