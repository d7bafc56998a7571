// The search as a user sees it: which files are found, their relative paths, the progress
// texts, Escape, and the roots that cannot be searched.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "SearchTree.h"
#include "platform/CancelPoll.h"
#include "search/ExtensionPrefilter.h"
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

    std::optional<FileRecord> FindRecordNamed(const std::string& relativePath) {
        for (const FileRecord& r : State()->ResultList.Records()) {
            if (r.relativePath == relativePath) {
                return r;
            }
        }
        return std::nullopt;
    }

    SharedLists lists_;
};

TEST_F(FolderWalkTest, NamesExtensionsAndSubfolders) {
    const std::string dir = test::MakeScratchDir("walk-names");
    for (const char* name : {"a.jpg", "b.JPG", "x.Jpg", "noext", "jpg", "c.jpg.bak", "d.jp", "e.jpgx", "f.jpeg",
                             "Holiday.jpg/inner.jpg", "sub/deep/g.JFIF", "sub/h.gif"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 10));
    }

    struct Case {
        int32_t include;
        std::set<std::string> expected;
    };

    const Case cases[] = {
            {1, {"a.jpg", "b.JPG", "x.Jpg", "f.jpeg", "Holiday.jpg\\inner.jpg", "sub\\deep\\g.JFIF"}},
            {0, {"a.jpg", "b.JPG", "x.Jpg", "f.jpeg", "Holiday.jpg"}},
    };
    for (const Case& c : cases) {
        SearchCriteria criteria = Criteria(dir);
        criteria.checkInclude = c.include;
        const SearchResult r = RunSearch(criteria);
        ASSERT_EQ(r.outcome, SearchOutcome::Searched);
        EXPECT_EQ(FoundPaths(), c.expected) << "include " << c.include;
        EXPECT_EQ(r.found, State()->ResultList.Count());
        ASSERT_EQ(State()->RootFolders.size(), 1u);
        EXPECT_EQ(State()->RootFolders[0], criteria.root);
        for (const FileRecord& rec : State()->ResultList.Records()) {
            EXPECT_EQ(rec.mark, 0);
        }
    }
    // A folder named like a picture is a record of its own only while subfolders are off.
    const std::optional<FileRecord> folder = FindRecordNamed("Holiday.jpg");
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->attributes & kAttrDirectory, kAttrDirectory);
    EXPECT_EQ(folder->sizeLow, 0u);
    const std::optional<FileRecord> plain = FindRecordNamed("a.jpg");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->attributes, kAttrNormal);
}

TEST_F(FolderWalkTest, RootWithOrWithoutSeparatorGivesBareNamesInTheRoot) {
    const std::string dir = test::MakeScratchDir("walk-root");
    ASSERT_TRUE(test::MakeFile(dir + "/top.jpg", 1));
    ASSERT_TRUE(test::MakeFile(dir + "/2003/trip/img_01.jpg", 1));
    SearchCriteria criteria = Criteria(dir);
    criteria.root.pop_back();  // no trailing "\"
    RunSearch(criteria);
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"top.jpg", "2003\\trip\\img_01.jpg"}));
    EXPECT_EQ(State()->RootFolders.at(0), criteria.root + "\\");
}

TEST_F(FolderWalkTest, SizeBoundsAreInclusiveOnTheLowHalfOnly) {
    const std::string dir = test::MakeScratchDir("walk-size");
    ASSERT_TRUE(test::MakeFile(dir + "/s999.jpg", 999));
    ASSERT_TRUE(test::MakeFile(dir + "/s1000.jpg", 1000));
    ASSERT_TRUE(test::MakeFile(dir + "/s1001.jpg", 1001));
    const bool big = test::MakeFile(dir + "/big.jpg", (uint64_t{1} << 32) + 1000);  // sparse

    SearchCriteria criteria = Criteria(dir);
    criteria.checkSize = 1;
    criteria.minSize = 1000;
    criteria.maxSize = 1000;
    RunSearch(criteria);
    std::set<std::string> expected{"s1000.jpg"};
    if (big) {
        expected.insert("big.jpg");
        const std::optional<FileRecord> bigRecord = FindRecordNamed("big.jpg");
        ASSERT_TRUE(bigRecord.has_value());
        EXPECT_EQ(bigRecord->sizeHigh, 1u);
        EXPECT_EQ(bigRecord->sizeLow, 1000u);
    }
    EXPECT_EQ(FoundPaths(), expected);

    criteria.checkSize = 0;  // bounds ignored while the filter is off
    RunSearch(criteria);
    EXPECT_EQ(State()->ResultList.Count(), big ? 4 : 3);
}

TEST_F(FolderWalkTest, DateBoundsAreInclusiveToTheTick) {
    const std::string dir = test::MakeScratchDir("walk-date");
    const uint64_t from = 132000000000000000ULL;  // 2019, a whole number of ticks
    const uint64_t to = from + 864000000000ULL;
    ASSERT_TRUE(test::MakeFile(dir + "/before.jpg", 1, from - 1));
    ASSERT_TRUE(test::MakeFile(dir + "/atfrom.jpg", 1, from));
    ASSERT_TRUE(test::MakeFile(dir + "/atto.jpg", 1, to));
    ASSERT_TRUE(test::MakeFile(dir + "/after.jpg", 1, to + 1));

    SearchCriteria criteria = Criteria(dir);
    criteria.checkDate = 1;
    criteria.dateFrom = from;
    criteria.dateTo = to;
    RunSearch(criteria);
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"atfrom.jpg", "atto.jpg"}));
    const std::optional<FileRecord> atTo = FindRecordNamed("atto.jpg");
    ASSERT_TRUE(atTo.has_value());
    EXPECT_EQ(atTo->lastWriteTime, to);
}

TEST_F(FolderWalkTest, SubstringOnTheTitleIgnoresCaseAndTakesNoWildcards) {
    const std::string dir = test::MakeScratchDir("walk-title");
    for (const char* name : {"Holiday 01.jpg", "holiday 02.JPG", "work.jpg", "sub/Beach HOLIDAY.jpg"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }

    struct Case {
        const char* pattern;
        bool showExtensions;
        size_t expected;
    };

    const Case cases[] = {
            {"", true, 4},  {"hoLIday", true, 3}, {"SUB", true, 0},   {"*", true, 0},
            {"?", true, 0}, {".JPG", true, 4},    {".jpg", false, 0}, {"work", false, 1},
    };
    for (const Case& c : cases) {
        SearchCriteria criteria = Criteria(dir);
        criteria.checkTitle = 1;
        criteria.titlePattern = c.pattern;
        criteria.titlesShowExtensions = c.showExtensions;
        RunSearch(criteria);
        EXPECT_EQ(State()->ResultList.Size(), c.expected) << "pattern '" << c.pattern << "'";
    }
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
    for (const std::string& t : texts) {
        if (t.rfind("Search: ", 0) == 0) {
            progress.push_back(t);
        }
    }
    ASSERT_EQ(progress.size(), 2u);
    // The count comes before any filter, so the 500th entry is not yet a record; with the
    // one non-picture that may precede it, the found count is 499 or 498.
    EXPECT_TRUE(progress[0] == "Search: 500  Find 499 " || progress[0] == "Search: 500  Find 498 ") << progress[0];
    EXPECT_TRUE(progress[1].rfind("Search: 1000  Find ", 0) == 0) << progress[1];
    EXPECT_EQ(
            std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.rfind("Find   ", 0) == 0; }),
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
    EXPECT_GT(r.found, 0);
    EXPECT_LE(r.found, 8);
    EXPECT_EQ(State()->ResultList.Count(), r.found);
    EXPECT_EQ(r.lastStatus, "Find   " + std::to_string(r.found) + " ");
}

TEST_F(FolderWalkTest, RootsThatCannotBeSearchedLeaveTheResultAlone) {
    const std::string dir = test::MakeScratchDir("walk-noroot");
    fs::create_directories(dir + "/empty");
    ASSERT_TRUE(test::MakeFile(dir + "/file.jpg", 1));
    State()->ResultList.Clear();
    FileRecord sentinel;
    sentinel.relativePath = "kept.jpg";
    State()->ResultList.Append(sentinel);

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
    const std::optional<FileRecord> linked = FindRecordNamed("linked.jpg");
    ASSERT_TRUE(linked.has_value());
    EXPECT_EQ(linked->sizeLow, 7u);  // the target's details, flagged as a link
    EXPECT_EQ(linked->attributes & kAttrReparsePoint, kAttrReparsePoint);

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
    EXPECT_FALSE(FindRecordNamed(longName + ".jpg").has_value());
    for (const FileRecord& r : State()->ResultList.Records()) {
        EXPECT_LT(root.size() + r.relativePath.size(), kMaxPath);
        EXPECT_TRUE(r.relativePath == "short.jpg" || r.relativePath.ends_with("p.jpg")) << r.relativePath;
    }
}

TEST_F(FolderWalkTest, NonAsciiNamesKeepExactPathsAndBackslashNamesAreLeftOut) {
    const std::string dir = test::MakeScratchDir("walk-utf8");
    ASSERT_TRUE(test::MakeFile(dir + "/Фото 2003/пляж.jpg", 3));
    ASSERT_TRUE(test::MakeFile(dir + "/写真.JPG", 4));
    ASSERT_TRUE(test::MakeFile(dir + "/a\\b.jpg", 5));  // one name with a backslash in it
    RunSearch(Criteria(dir));
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"Фото 2003\\пляж.jpg", "写真.JPG"}));
}

TEST(ExtensionPrefilterTest, HashAndNoFalseRejections) {
    EXPECT_EQ(ExtensionPrefilter::HashOf("JPG"), 71u + 4u * (80u + 2u * (74u % 64u)));
    EXPECT_EQ(ExtensionPrefilter::HashOf("AU"), 4u * (85u + 2u * 1u));
    EXPECT_EQ(ExtensionPrefilter::HashOf("MIDI"), ExtensionPrefilter::HashOf("MID"));

    ExtensionPrefilter prefilter;
    prefilter.Add("JPG");
    prefilter.Add("QT");
    for (const char* ext : {"jpg", "JPG", "jPg", "JPGX", "qt", "Qt"}) {
        EXPECT_TRUE(prefilter.MayMatch(ext)) << ext;
    }
    for (const char* ext : {"JP", "GIF", "", "q", "jpe"}) {
        EXPECT_FALSE(prefilter.MayMatch(ext)) << ext;
    }
}

// The extension is the text after the last dot, however many come before it.
TEST_F(FolderWalkTest, NamesWithSeveralDotsGoByTheirLastOne) {
    const std::string dir = test::MakeScratchDir("walk-dots");
    for (const char* name : {"my.photo.jpg", "a.b.c.JPEG", "2003.07.14.jfif", "my.jpg.photo", "x.jpg.bak"}) {
        ASSERT_TRUE(test::MakeFile(dir + "/" + name, 1));
    }
    RunSearch(Criteria(dir));
    EXPECT_EQ(FoundPaths(), (std::set<std::string>{"my.photo.jpg", "a.b.c.JPEG", "2003.07.14.jfif"}));
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

}  // namespace
}  // namespace pv
