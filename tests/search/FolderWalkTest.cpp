// The search as a user sees it (files found, progress texts, Escape, bad roots, threads) and
// the file list of one folder.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "SearchTree.h"
#include "platform/CancelPoll.h"
#include "search/ExtensionPrefilter.h"
#include "search/FolderFileList.h"
#include "search/FolderWalk.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

SearchCriteria Criteria(const std::string& hostDir, std::vector<std::string> extensions = {"JPG", "JPEG", "JFIF"}) {
    SearchCriteria c;
    c.root = test::ProgramRootOf(hostDir);
    c.extensions = std::move(extensions);
    return c;
}

// Every case searches into lists of its own.
class FolderWalkTest : public ::testing::Test {
protected:
    void TearDown() override { SetEscapeSampleForTests(nullptr); }

    SharedLists::Access State() { return lists_.Lock(); }

    SearchResult RunSearch(const SearchCriteria& criteria, const StatusSink& status = {}) {
        return pv::RunSearch(lists_, criteria, status);
    }

    std::set<std::string> FoundPaths() {
        std::set<std::string> out;
        for (const FileRecord& r : State()->ResultList.Records()) {
            out.insert(r.relativePath);
        }
        return out;
    }

    // The record of that path, or an empty one.
    FileRecord FindRecordNamed(const std::string& relativePath) {
        const auto& all = State()->ResultList.Records();
        const auto it = std::find_if(all.begin(), all.end(), [&](auto& r) { return r.relativePath == relativePath; });
        return it == all.end() ? FileRecord{} : *it;
    }

    SharedLists lists_;
};

struct File {
    std::string path;
    uint64_t size = 1;
    uint64_t writeTime = 0;
};

// One tree, the criteria besides root and extensions, the relative paths found.
struct Walk {
    const char* what;
    std::vector<File> files;
    std::function<void(SearchCriteria&)> set;
    std::set<std::string> found;
    bool rootWithoutSeparator = false;
};

void PrintTo(const Walk& w, std::ostream* os) {
    *os << w.what;
}

class WalkTest : public FolderWalkTest, public testing::WithParamInterface<Walk> {};

TEST_P(WalkTest, FindsExactlyTheseFiles) {
    const Walk& w = GetParam();
    const std::string dir = test::MakeScratchDir("walk");
    for (const File& f : w.files) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + f.path, f.size, f.writeTime)) << f.path;
    }
    SearchCriteria criteria = Criteria(dir);
    w.set(criteria);
    if (w.rootWithoutSeparator) {
        criteria.root.pop_back();
    }
    const SearchResult r = RunSearch(criteria);
    ASSERT_EQ(r.outcome, SearchOutcome::Searched);
    EXPECT_EQ(FoundPaths(), w.found);
    EXPECT_EQ(r.found, State()->ResultList.Count());
    EXPECT_EQ(State()->RootFolders, std::vector<std::string>{test::ProgramRootOf(dir)});
    for (const FileRecord& rec : State()->ResultList.Records()) {
        EXPECT_EQ(rec.mark, 0);
    }
}

const std::vector<File> kNames = {{"a.jpg"},           {"b.JPG"},    {"x.Jpg"},  {"noext"},  {"jpg"},
                                  {"c.jpg.bak"},       {"d.jp"},     {"e.jpgx"}, {"f.jpeg"}, {"Holiday.jpg/inner.jpg"},
                                  {"sub/deep/g.JFIF"}, {"sub/h.gif"}};
constexpr uint64_t kBig = (uint64_t{1} << 32) + 1000;
const std::vector<File> kSizes = {{"s999.jpg", 999}, {"s1000.jpg", 1000}, {"s1001.jpg", 1001}, {"big.jpg", kBig}};
constexpr uint64_t kFrom = 132000000000000000ULL;  // 2019, a whole number of ticks
constexpr uint64_t kTo = kFrom + 864000000000ULL;
const std::vector<File> kDates = {{"before.jpg", 1, kFrom - 1},
                                  {"atfrom.jpg", 1, kFrom},
                                  {"atto.jpg", 1, kTo},
                                  {"after.jpg", 1, kTo + 1}};
const std::vector<File> kTitles = {{"Holiday 01.jpg"}, {"holiday 02.JPG"}, {"work.jpg"}, {"sub/Beach HOLIDAY.jpg"}};
const std::set<std::string> kAllTitles = {"Holiday 01.jpg", "holiday 02.JPG", "work.jpg", "sub\\Beach HOLIDAY.jpg"};

auto Title(std::string pattern, bool showExtensions = true) {
    return [=](SearchCriteria& c) {
        c.checkTitle = 1;
        c.titlePattern = pattern;
        c.titlesShowExtensions = showExtensions;
    };
}

auto Bounds(uint32_t minSize, uint32_t maxSize, int32_t checkSize, uint64_t from = 0, uint64_t to = 0) {
    return [=](SearchCriteria& c) {
        std::tie(c.minSize, c.maxSize, c.checkSize) = std::tuple(minSize, maxSize, checkSize);
        std::tie(c.dateFrom, c.dateTo, c.checkDate) = std::tuple(from, to, from != 0 ? 1 : 0);
    };
}

const auto kAsIs = [](SearchCriteria&) {};

const Walk kWalks[] = {
        {"subfolders",
         kNames,
         kAsIs,
         {"a.jpg", "b.JPG", "x.Jpg", "f.jpeg", "Holiday.jpg\\inner.jpg", "sub\\deep\\g.JFIF"}},
        // A folder named like a picture is a record of its own only while subfolders are off.
        {"no subfolders",
         kNames,
         [](SearchCriteria& c) { c.checkInclude = 0; },
         {"a.jpg", "b.JPG", "x.Jpg", "f.jpeg", "Holiday.jpg"}},
        {"bare root", {{"top.jpg"}, {"2003/trip/img_01.jpg"}}, kAsIs, {"top.jpg", "2003\\trip\\img_01.jpg"}, true},
        // Inclusive bounds on the low half of the size only (big.jpg is 4 GiB + 1000, sparse).
        {"size", kSizes, Bounds(1000, 1000, 1), {"s1000.jpg", "big.jpg"}},
        {"size off", kSizes, Bounds(1000, 1000, 0), {"s999.jpg", "s1000.jpg", "s1001.jpg", "big.jpg"}},
        {"date", kDates, Bounds(0, kAnySize, 0, kFrom, kTo), {"atfrom.jpg", "atto.jpg"}},
        // A substring of the title in any case; no wildcards, no folder names.
        {"empty title", kTitles, Title(""), kAllTitles},
        {"title", kTitles, Title("hoLIday"), {"Holiday 01.jpg", "holiday 02.JPG", "sub\\Beach HOLIDAY.jpg"}},
        {"folder", kTitles, Title("SUB"), {}},
        {"star", kTitles, Title("*"), {}},
        {"question mark", kTitles, Title("?"), {}},
        {"extension", kTitles, Title(".JPG"), kAllTitles},
        {"hidden extension", kTitles, Title(".jpg", false), {}},
        {"word", kTitles, Title("work", false), {"work.jpg"}},
        // Non-ASCII names keep their exact paths; a name holding a backslash is left out.
        // The extension is the text after the last dot, however many come before it.
        {"dots",
         {{"my.photo.jpg"}, {"a.b.c.JPEG"}, {"2003.07.14.jfif"}, {"my.jpg.photo"}},
         kAsIs,
         {"my.photo.jpg", "a.b.c.JPEG", "2003.07.14.jfif"}},
        {"utf8", {{"Фото 2003/пляж.jpg"}, {"写真.JPG"}, {"a\\b.jpg"}}, kAsIs, {"Фото 2003\\пляж.jpg", "写真.JPG"}},
};

INSTANTIATE_TEST_SUITE_P(Criteria, WalkTest, testing::ValuesIn(kWalks));

TEST_F(FolderWalkTest, RecordsCarryTheEntrysDetails) {
    const std::string dir = test::MakeScratchDir("walk-details");
    ASSERT_TRUE(test::MakeFile(dir + "/Holiday.jpg/inner.jpg", 10));
    ASSERT_TRUE(test::MakeFile(dir + "/a.jpg", 10, kTo));
    ASSERT_TRUE(test::MakeFile(dir + "/big.jpg", kBig));
    SearchCriteria criteria = Criteria(dir);
    criteria.checkInclude = 0;
    RunSearch(criteria);
    const FileRecord folder = FindRecordNamed("Holiday.jpg");
    const FileRecord a = FindRecordNamed("a.jpg");
    const FileRecord big = FindRecordNamed("big.jpg");
    EXPECT_EQ(std::tuple(folder.attributes & kAttrDirectory, folder.sizeLow), std::tuple(kAttrDirectory, 0u));
    EXPECT_EQ(std::tuple(a.attributes, a.sizeLow, a.lastWriteTime), std::tuple(kAttrNormal, 10u, kTo));
    EXPECT_EQ(std::tuple(big.sizeHigh, big.sizeLow), std::tuple(1u, 1000u));
}

TEST_F(FolderWalkTest, ProgressTextsEvery500EntriesAndPerFolder) {
    const std::string dir = test::MakeScratchDir("walk-progress");
    for (int i = 0; i < 1100; ++i) {
        ASSERT_TRUE(test::MakeFile(dir + "/f" + std::to_string(i) + ".jpg"));
    }
    ASSERT_TRUE(test::MakeFile(dir + "/sub/one.txt"));  // a folder that finishes part way
    std::vector<std::string> texts;
    const StatusSink sink = [&texts](std::string_view t) { texts.emplace_back(t); };
    const SearchResult r = RunSearch(Criteria(dir), sink);

    std::vector<std::string> progress;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(progress), [](auto& t) { return t.starts_with("S"); });
    ASSERT_EQ(progress.size(), 2u);
    // The count comes before any filter, so the 500th entry is not yet a record; with the
    // one non-picture that may precede it, the found count is 499 or 498.
    EXPECT_TRUE(progress[0] == "Search: 500  Find 499 " || progress[0] == "Search: 500  Find 498 ") << progress[0];
    EXPECT_TRUE(progress[1].starts_with("Search: 1000  Find ")) << progress[1];
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.starts_with("Find   "); }),
              2);  // the subfolder and the root
    EXPECT_EQ(texts.back(), "Find   1100 ");
    EXPECT_EQ(r.lastStatus, "Find   1100 ");
    EXPECT_EQ(r.examined, 1101);
}

int gPolls = 0;
int gCancelAt = 0;

EscapeKeySample CancelOnce() {
    return {false, ++gPolls == gCancelAt};  // a single press: later samples see nothing
}

TEST_F(FolderWalkTest, EscapeEndsTheWholeWalkAndKeepsWhatWasFound) {
    const std::string dir = test::MakeScratchDir("walk-escape");
    for (const char* sub : {"a", "a/b", "a/b/c", "d"}) {
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(test::MakeFile(dir + "/" + sub + "/p" + std::to_string(i) + ".jpg"));
        }
    }
    gPolls = 0;
    gCancelAt = 9;  // the walk's first sample, then eight polls
    SetEscapeSampleForTests(CancelOnce);
    const SearchResult r = RunSearch(Criteria(dir));
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(gPolls, 9);  // nothing polled, nothing walked after the press
    EXPECT_TRUE(r.found > 0 && r.found <= 8) << r.found;
    EXPECT_EQ(State()->ResultList.Count(), r.found);
    EXPECT_EQ(r.lastStatus, "Find   " + std::to_string(r.found) + " ");
}

TEST_F(FolderWalkTest, RootsThatCannotBeSearchedLeaveTheResultAlone) {
    const std::string dir = test::MakeScratchDir("walk-noroot");
    fs::create_directories(dir + "/empty");
    ASSERT_TRUE(test::MakeFile(dir + "/file.jpg", 1));
    State()->ResultList.Clear();
    State()->ResultList.Append(FileRecord{.relativePath = "kept.jpg"});

    const std::string roots[] = {dir + "/empty", dir + "/missing", dir + "/file.jpg"};
    for (const std::string& root : roots) {
        State()->RootFolders = {"stale\\"};
        const SearchResult r = RunSearch(Criteria(root));
        EXPECT_EQ(r.outcome, SearchOutcome::RootHasNoEntries) << root;
        EXPECT_TRUE(State()->RootFolders.empty());
        ASSERT_EQ(State()->ResultList.Count(), 1);
        EXPECT_EQ(State()->ResultList[0].relativePath, "kept.jpg");
    }
    const SearchResult none = RunSearch(Criteria(dir, {}));
    EXPECT_EQ(none.outcome, SearchOutcome::NoExtensionSelected);
    EXPECT_EQ(State()->ResultList.Count(), 1);
}

TEST_F(FolderWalkTest, LinksAreNotFollowedIntoCycles) {
    const std::string dir = test::MakeScratchDir("walk-links");
    const std::string outside = test::MakeScratchDir("walk-links-outside");
    ASSERT_TRUE(test::MakeFile(dir + "/sub/in.jpg", 1));
    ASSERT_TRUE(test::MakeFile(outside + "/target.jpg", 7));
    fs::create_directory_symlink(dir, dir + "/sub/loop");
    fs::create_directory_symlink(dir + "/sub", dir + "/sub/loop2.jpg");
    fs::create_symlink(outside + "/target.jpg", dir + "/linked.jpg");

    SearchCriteria criteria = Criteria(dir);
    RunSearch(criteria);
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"sub\\in.jpg", "linked.jpg"}));
    const FileRecord linked = FindRecordNamed("linked.jpg");
    // The target's details, flagged as a link.
    EXPECT_EQ(std::tuple(linked.sizeLow, linked.attributes & kAttrReparsePoint), std::tuple(7u, kAttrReparsePoint));

    criteria.checkInclude = 0;
    criteria.root += "sub\\";
    RunSearch(criteria);
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"in.jpg", "loop2.jpg"}));
}

TEST_F(FolderWalkTest, PathsBeyondThePlatformLimitAreSkippedNotShortened) {
    const std::string dir = test::MakeScratchDir("walk-long");
    const std::string root = test::ProgramRootOf(dir);
    // Nest folders "d" until well past the limit, a picture at every level.
    std::string host = dir;
    std::string relative;
    size_t expected = 0;
    for (int level = 0; level < 200; ++level) {
        ASSERT_TRUE(test::MakeFile(host + "/p.jpg"));
        if (root.size() + relative.size() + std::string("p.jpg").size() < kMaxPath) {
            ++expected;
        }
        host += "/d";
        relative += "d\\";
    }
    // A name that alone pushes the path past the limit, beside one that fits.
    const std::string longName(kMaxPath - root.size(), 'n');
    ASSERT_TRUE(test::MakeFile(dir + "/" + longName + ".jpg"));
    ASSERT_TRUE(test::MakeFile(dir + "/short.jpg"));
    RunSearch(Criteria(dir));
    EXPECT_EQ(State()->ResultList.Size(), expected + 1);
    EXPECT_EQ(FindRecordNamed(longName + ".jpg").relativePath, "");
    for (const FileRecord& r : State()->ResultList.Records()) {
        EXPECT_LT(root.size() + r.relativePath.size(), kMaxPath);
        EXPECT_TRUE(r.relativePath == "short.jpg" || r.relativePath.ends_with("p.jpg")) << r.relativePath;
    }
}

TEST(ExtensionPrefilterTest, NoFalseRejectionsInAnyCase) {
    ExtensionPrefilter prefilter;
    prefilter.Add("JPG");
    prefilter.Add("QT");
    std::string may;
    for (const char* ext : {"jpg", "JPG", "jPg", "JPGX", "qt", "Qt", "JP", "GIF", "", "q", "jpe"}) {
        may += prefilter.MayMatch(ext) ? '1' : '0';
    }
    EXPECT_EQ(may, "11111100000");
}

EscapeKeySample gStartSample;
int gSamples = 0;

// The key as it was when the walk started, then untouched.
EscapeKeySample EarlierPressOnly() {
    return ++gSamples == 1 ? gStartSample : EscapeKeySample{};
}

// Leaving full screen or closing a box with Escape just before a search must not end it.
TEST_F(FolderWalkTest, AnEscapePressedBeforeTheWalkDoesNotEndIt) {
    const std::string dir = test::MakeScratchDir("walk-early-escape");
    for (const char* name : {"a.jpg", "b.jpg", "sub/c.jpg", "sub/d.jpg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    SetEscapeSampleForTests(EarlierPressOnly);
    for (const EscapeKeySample atStart : {EscapeKeySample{false, true}, EscapeKeySample{true, true}}) {
        gStartSample = atStart;
        gSamples = 0;
        const SearchResult r = RunSearch(Criteria(dir));
        EXPECT_FALSE(r.cancelled) << "key down at the start: " << atStart.down;
        EXPECT_EQ(r.found, 4);
        EXPECT_GT(gSamples, 4);  // the walk did poll after its entries
    }
}

// The lists every frame shares, with frames searching on threads of their own: another frame
// sees a whole list with its own root, never one frame's root over another's records.
TEST(SharedListsTest, ConcurrentSearchesPublishWholeResults) {
    const std::string dirA = test::MakeScratchDir("lists-a");
    const std::string dirB = test::MakeScratchDir("lists-b");
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(test::MakeFile(dirA + "/a" + std::to_string(i) + ".jpg"));
    }
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(test::MakeFile(dirB + "/sub/b" + std::to_string(i) + ".jpg"));
    }
    const SearchCriteria a = Criteria(dirA, {"JPG"});
    const SearchCriteria b = Criteria(dirB, {"JPG"});

    SharedLists lists;
    std::atomic<int> running{2};
    auto searchRepeatedly = [&lists, &running](const SearchCriteria& criteria) {
        for (int i = 0; i < 25; ++i) {
            RunSearch(lists, criteria);
        }
        --running;
    };
    std::thread frameA(searchRepeatedly, std::cref(a));
    std::thread frameB(searchRepeatedly, std::cref(b));
    int mixed = 0;
    do {
        SharedLists::Access state = lists.Lock();
        if (state->RootFolders.empty() || state->ResultList.Empty()) {
            continue;  // a run between its start and its result
        }
        const bool isA = state->RootFolders[0] == a.root;
        const char first = isA ? 'a' : 's';  // "a7.jpg" or "sub\b7.jpg"
        const int32_t expected = isA ? 30 : 10;
        if (state->ResultList.Count() != expected) {
            ++mixed;
        }
        for (const FileRecord& r : state->ResultList.Records()) {
            mixed += r.relativePath.front() != first ? 1 : 0;
        }
    } while (running.load() > 0);
    frameA.join();
    frameB.join();
    EXPECT_EQ(mixed, 0);
    SharedLists::Access state = lists.Lock();
    ASSERT_EQ(state->RootFolders.size(), 1u);
    EXPECT_EQ(state->ResultList.Count(), state->RootFolders[0] == a.root ? 30 : 10);
}

// The file list of one folder: which entries, their order, the current record.
std::vector<std::string> Paths(SharedLists& lists) {
    std::vector<std::string> out;
    for (const FileRecord& r : lists.Lock()->ResultList.Records()) {
        out.push_back(r.relativePath);
    }
    return out;
}

TEST(FolderFileListTest, KnownNamesOfOneLevelSortedWithTheOpenedFileCurrent) {
    const std::string dir = test::MakeScratchDir("folderlist");
    for (const char* name : {"b.jpg", "a.gif", "c.txt", "d/inner.jpg", "IMG.JPG", "archive.jpg.zip", "song.aif",
                             "clip.wmv", "list.m3u", "radio.ra", "noext", "e.jpeg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    std::filesystem::create_directory(dir + "/x.jpg");
    const std::string folder = test::ProgramRootOf(dir);
    SharedLists lists;
    lists.Lock()->SortCode = kSortWriteTimeAscending;

    const FolderListResult r = BuildFolderList(lists, folder + "b.jpg");
    ASSERT_TRUE(r.found);
    EXPECT_EQ(Paths(lists),
              (std::vector<std::string>{"a.gif", "b.jpg", "clip.wmv", "e.jpeg", "IMG.JPG", "song.aif", "x.jpg"}));
    EXPECT_EQ(r.current, 1);
    EXPECT_EQ(r.folder, folder);
    EXPECT_EQ(lists.Lock()->RootFolders, std::vector<std::string>{folder});
    EXPECT_EQ(lists.Lock()->SortCode, kSortWriteTimeAscending);  // the folder list does not change the sort choice
    EXPECT_EQ(lists.Lock()->ResultList[6].attributes & kAttrDirectory, kAttrDirectory);

    // A case difference is not the same path; c.txt is not listed.
    for (auto [opened, current] : {std::pair{"x.jpg", 6}, {"B.jpg", 0}, {"c.txt", 0}, {"IMG.JPG", 4}}) {
        EXPECT_EQ(BuildFolderList(lists, folder + opened).current, current) << opened;
    }
}

TEST(FolderFileListTest, NothingKnownOrNoFolderMeansNoImage) {
    const std::string dir = test::MakeScratchDir("folderlist-empty");
    ASSERT_TRUE(test::MakeFile(dir + "/readme.txt"));
    const std::string folder = test::ProgramRootOf(dir);
    SharedLists lists;
    for (const std::string& opened : {folder + "readme.txt", folder + "missing\\a.jpg"}) {
        lists.Lock()->ResultList.Append(FileRecord{.relativePath = "stale.jpg"});
        EXPECT_FALSE(BuildFolderList(lists, opened).found) << opened;
        EXPECT_TRUE(lists.Lock()->ResultList.Empty());
        EXPECT_EQ(lists.Lock()->RootFolders, std::vector<std::string>{opened.substr(0, opened.rfind('\\') + 1)});
    }
}

TEST(FolderFileListTest, KnownExtensionsAreTheThirtyEight) {
    EXPECT_EQ(kFolderListExtensions.size(), 38u);
    std::string known;
    for (const char* name : {"a.JPG", "a.jfif", "a.Cur", "a.aifc", "a.wm", "a.mpe", "x.y.qt", "a.m3u", "a.ra", "a.jp",
                             "a.jpgx", "jpg", "a.", "a.png"}) {
        known += HasFolderListExtension(name) ? '1' : '0';
    }
    EXPECT_EQ(known, "11111110000000");
}

}  // namespace
}  // namespace pv
