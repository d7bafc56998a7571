#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>
#include <vector>

#include "app/Navigator.h"

namespace pv {
namespace {

// A list of one-letter files under \p\ and a host that records what the roads do: `opened`
// holds the letters opened in order, `texts` the counter, title and status texts written.
struct Nav : NavigationList, NavigatorHost {
    std::string names = "abcdef";
    std::string unreadable;
    std::string root = "\\p\\";
    FolderPick folderPick;
    std::string opened, storedOpenFile;
    std::vector<std::string> texts, messages;
    bool thumbsOnly = false, bothPanes = false;
    std::function<void()> whileOpening;  // a second road arriving inside the open
    Navigator nav{*this, *this};

    Nav() {
        nav.SetCurrentFolder(root);
        nav.SetFileCount(EntryCount());
    }

    int32_t EntryCount() const override { return static_cast<int32_t>(names.size()); }

    // An index past either end names the folder itself, as a fault stepping off the list would.
    std::string RelativePath(int32_t i) const override {
        return i >= 0 && i < EntryCount() ? names.substr(static_cast<size_t>(i), 1) : std::string();
    }

    std::string RootFolder() const override { return root; }

    FolderPick BuildFolderList(const std::string&) override { return folderPick; }

    int OpenInView(bool, const std::string& path) override {
        opened += path.size() > root.size() ? path.substr(root.size()) : "?";
        if (whileOpening) {
            std::exchange(whileOpening, nullptr)();
        }
        return unreadable.find(path.back()) == std::string::npos ? 1 : 0;
    }

    ViewTextState ViewState() const override { return {false, 1, 640, 480, 1049}; }

    void SetCounterText(const std::string& t) override { texts.push_back("counter:" + t); }

    void SetTitleText(const std::string& t) override { texts.push_back("title:" + t); }

    void SetStatusText(const std::string& t) override { texts.push_back("status:" + t); }

    bool BringImageBack() override { return bothPanes = thumbsOnly; }

    void StoreOpenFile(const std::string& p) override { storedOpenFile = p; }

    void ShowInfo(const std::string& t) override { messages.push_back(t); }
};

TEST(NavigatorTest, NextStepsOverUnreadableFilesAndShowsThePosition) {
    Nav n;
    n.unreadable = "bcd";
    n.nav.Next();
    EXPECT_EQ(std::tuple(n.opened, n.nav.CurrentIndex(), n.nav.ShownIndex()), std::tuple("bcde", 4, 4));
    EXPECT_EQ(n.texts, (std::vector<std::string>{"counter:5  /  6", "title:\\p\\e: src: 640 x 480 pixels zoom: 104 %",
                                                 "status:\\p\\e"}));
}

// Stepping stops at either end without wrapping and never opens past it: the last entry
// tried stays current.
TEST(NavigatorTest, SteppingStopsAtTheEndsWithoutWrapping) {
    struct Case {
        int32_t from;
        bool forward;
        const char* unreadable;
        const char* opened;
        int32_t ends;
    };

    const Case cases[] = {
            {5, true, "", "f", 5},
            {0, false, "", "a", 0},       // Next at the last, Previous at the first re-open
            {3, true, "ef", "ef", 5},     // unreadable files at the end
            {3, false, "abc", "cba", 0},  // unreadable files at the start
    };
    for (const Case& c : cases) {
        Nav n;
        n.unreadable = c.unreadable;
        n.nav.SetCurrentIndex(c.from);
        c.forward ? n.nav.Next() : n.nav.Previous();
        EXPECT_EQ(std::tuple(n.opened, n.nav.CurrentIndex(), n.texts.at(0)),
                  std::tuple(c.opened, c.ends, "counter:" + std::to_string(c.ends + 1) + "  /  6"))
                << c.from << c.forward;
    }
}

// With nothing in the list no road opens, and a refresh (a click on the empty view asks for
// one) writes no counter, title or status; a folder with no file of a known type says so,
// whichever road listed it.
TEST(NavigatorTest, EmptyListOpensAndWritesNothingAndSaysNoImageSelected) {
    Nav n;
    n.names.clear();
    n.nav.Next();
    n.nav.Previous();
    n.nav.Begin();
    EXPECT_EQ(n.nav.ShowItem(0), 0);
    n.nav.RefreshTexts();
    EXPECT_TRUE(n.opened.empty() && n.texts.empty());
    n.folderPick.found = false;
    for (auto road : {&Navigator::OpenCommandLineFile, &Navigator::OpenChosenFile, &Navigator::OpenTreePath}) {
        n.messages.clear();
        (n.nav.*road)("\\empty\\x.txt");
        EXPECT_EQ(n.messages, std::vector<std::string>{" No Image Selected"});
    }
}

TEST(NavigatorTest, ShowItemOpensOnceAndBringsTheImageViewBack) {
    Nav n;
    n.unreadable = "c";
    n.thumbsOnly = true;
    EXPECT_EQ(n.nav.ShowItem(2), 0);
    EXPECT_EQ(std::tuple(n.opened, n.bothPanes, n.nav.CurrentIndex(), n.texts.front()),
              std::tuple("c", true, 2, "counter:3  /  6"));
    n.nav.ShowItem(9);
    n.nav.ShowIndex(-1);
    n.nav.ShowIndex(6);
    EXPECT_EQ(n.opened, "c") << "stale indices open nothing";
    EXPECT_EQ(n.nav.ShownIndex(), 9) << "the clicked index is remembered even when it opens nothing";
}

// Begin tries entry 0 once (a broken first file reports its failure once), then steps on.
TEST(NavigatorTest, BeginOpensTheFirstEntryOnceFromTheListsFolder) {
    Nav n;
    n.root = "\\q\\";
    n.nav.SetCurrentIndex(4);
    n.unreadable = "a";
    n.nav.Begin();
    EXPECT_EQ(std::tuple(n.nav.CurrentFolder(), n.opened, n.nav.CurrentIndex(), n.nav.ShownIndex()),
              std::tuple("\\q\\", "ab", 1, 1));
}

// The command-line road finds the file by name without case, writes the counter and status
// before each try, and leaves the title alone; without a match the folder list's choice stays.
TEST(NavigatorTest, CommandLineFileIsFoundByNameAndSteppedWithPerTryTexts) {
    Nav n;
    n.unreadable = "c";
    n.nav.OpenCommandLineFile("\\p\\C");
    EXPECT_EQ(std::tuple(n.storedOpenFile, n.nav.ShownIndex(), n.nav.CurrentIndex(), n.messages.size()),
              std::tuple("\\p\\C", 2, 3, 0u));
    EXPECT_EQ(n.texts,
              (std::vector<std::string>{"counter:3  /  6", "status:\\p\\c", "counter:4  /  6", "status:\\p\\d"}));

    Nav m;
    m.folderPick.current = 4;
    m.nav.OpenCommandLineFile("C:\\P\\zzz.jpg\\");
    EXPECT_EQ(std::tuple(m.storedOpenFile, m.nav.CurrentIndex(), m.nav.CurrentFolder()),
              std::tuple("c:\\P\\zzz.jpg", 4, "C:\\P\\"));
}

// File Open shows the chosen file and makes it the current path: the texts, a later zoom's
// title and the next step all follow it.
TEST(NavigatorTest, FileOpenMakesTheChosenFileCurrent) {
    Nav n;
    n.nav.ShowItem(0);
    n.texts.clear();
    n.root = "\\n\\";
    n.folderPick.current = 1;
    n.nav.OpenChosenFile("\\n\\b");
    EXPECT_EQ(std::tuple(n.nav.CurrentPath(), n.nav.CurrentFolder(), n.storedOpenFile),
              std::tuple("\\n\\b", "\\n\\", "\\n\\b"));
    EXPECT_EQ(n.texts, (std::vector<std::string>{"counter:2  /  6", "title:\\n\\b: src: 640 x 480 pixels zoom: 104 %",
                                                 "status:\\n\\b"}));
    n.nav.Next();
    EXPECT_EQ(n.opened, "abc");
}

// Sorting moves entries under the index; the file shown stays current wherever it went.
TEST(NavigatorTest, SortKeepsTheCurrentFileCurrent) {
    Nav n;
    n.nav.ShowItem(1);
    n.texts.clear();
    n.nav.SortKeepingCurrent([&] { n.names = "fedcba"; });
    EXPECT_EQ(std::tuple(n.nav.CurrentIndex(), n.nav.CurrentPath(), n.texts.front()),
              std::tuple(4, "\\p\\b", "counter:5  /  6"));
}

// A road arriving while an open is in progress (inside a message box of that open) is
// refused: it neither opens a file nor moves the index under the paused open.
TEST(NavigatorTest, ASecondRoadDuringAnOpenIsRefused) {
    const std::function<void(Navigator&)> secondRoads[] = {
            [](Navigator& v) { v.Next(); },
            [](Navigator& v) { v.Previous(); },
            [](Navigator& v) { v.Begin(); },
            [](Navigator& v) { v.ShowItem(5); },
            [](Navigator& v) { v.ShowIndex(5); },
            [](Navigator& v) { v.ReportDoubleClick(5); },
            [](Navigator& v) { v.OpenChosenFile("\\p\\f"); },
            [](Navigator& v) { v.OpenCommandLineFile("\\p\\f"); },
            [](Navigator& v) { v.SortKeepingCurrent([] { FAIL() << "sorted inside an open"; }); },
    };
    int road = 0;
    for (const auto& second : secondRoads) {
        Nav n;
        n.whileOpening = [&] {
            EXPECT_TRUE(n.nav.Busy());
            second(n.nav);
        };
        n.nav.ShowItem(2);
        EXPECT_EQ(std::tuple(n.opened, n.nav.CurrentPath(), n.nav.Busy()), std::tuple("c", "\\p\\c", false))
                << "road " << road;
        n.nav.Next();  // after the open, roads run again
        EXPECT_EQ(n.opened, "cd") << "road " << road++;
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
