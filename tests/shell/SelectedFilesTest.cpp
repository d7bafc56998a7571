// Acting on the selected files: list files written and read back, the names copies get in a
// folder that already holds files, and the entries a delete takes out of the shown list.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "search/ListFile.h"
#include "shell/CopyPlan.h"
#include "thumbs/ThumbSelection.h"

namespace pv {
namespace {

FileRecord Named(const std::string& path, int16_t mark = 0) {
    FileRecord r;
    r.relativePath = path;
    r.mark = mark;
    return r;
}

std::vector<std::string> Paths(const FileList& list) {
    std::vector<std::string> paths;
    for (const FileRecord& r : list.Records()) {
        paths.push_back(r.relativePath);
    }
    return paths;
}

// Marks the text that went through the code-page road.
std::string Latin1(std::string_view bytes) {
    return "acp:" + std::string(bytes);
}

TEST(ListFileTest, ThreeSelectedRecordsMakeFourLinesEndedByLineFeedOnly) {
    FileList list;
    for (const int16_t mark : std::initializer_list<int16_t>{1, 0, 1, 4, 1}) {
        list.Append(Named(std::to_string(list.Size()) + ".jpg", mark));
    }
    std::vector<std::string> chosen;
    for (int32_t i : ThumbSelection::SelectedIndexes(list, false)) {
        chosen.push_back(list[static_cast<size_t>(i)].relativePath);
    }
    EXPECT_EQ(FormatListFile("C:\\Photos\\", chosen), "C:\\Photos\\\n0.jpg\n2.jpg\n4.jpg\n");
    // With Select All on, everything but the excluded record counts.
    EXPECT_EQ(ThumbSelection::SelectedIndexes(list, true), (std::vector<int32_t>{0, 1, 2, 4}));
}

struct ParseCase {
    const char* name;
    std::string bytes;
    bool hasRoot;
    std::string root;
    std::vector<std::string> paths;
};

class ListFileParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ListFileParse, SplitsAtLineFeeds) {
    const ParseCase& c = GetParam();
    const ListFileLines lines = ParseListFile(c.bytes, Latin1);
    EXPECT_EQ(lines.hasRoot, c.hasRoot);
    EXPECT_EQ(lines.root, c.root);
    EXPECT_EQ(lines.paths, c.paths);
}

INSTANTIATE_TEST_SUITE_P(
        Cases,
        ListFileParse,
        ::testing::Values(
                ParseCase{"Empty", "", false, "", {}},
                ParseCase{"RootOnly", "C:\\P\\\n", true, "C:\\P\\", {}},
                ParseCase{"LastLineWithoutLineFeed", "C:\\P\\\na.jpg\nb.jpg", true, "C:\\P\\", {"a.jpg", "b.jpg"}},
                ParseCase{"CarriageReturnsStay", "C:\\P\\\r\na.jpg\r\n", true, "C:\\P\\\r", {"a.jpg\r"}},
                ParseCase{"EmptyAndWildcardLinesSkipped", "R\\\n\n*.jpg\na?.jpg\nx.jpg\n", true, "R\\", {"x.jpg"}},
                ParseCase{"OrderKept", "R\\\nz.jpg\na.jpg\nm.jpg\n", true, "R\\", {"z.jpg", "a.jpg", "m.jpg"}},
                ParseCase{"ByteOrderMarkDropped", "\xEF\xBB\xBFR\\\na.jpg\n", true, "R\\", {"a.jpg"}},
                ParseCase{"Utf8KeptAsItIs", "R\\\n\xC3\xA9t\xC3\xA9.jpg\n", true, "R\\", {"\xC3\xA9t\xC3\xA9.jpg"}},
                ParseCase{"InvalidUtf8ReadInTheCodePage", "R\xE9\\\n\xE9t.jpg\n", true, "acp:R\xE9\\", {"\xE9t.jpg"}}),
        [](const auto& row) { return std::string(row.param.name); });

TEST(ListFileTest, LoadKeepsExistingFilesInFileOrderUnmarkedAndShowsTheResult) {
    ListsState lists;
    lists.ResultList.Append(Named("old.jpg", 1));
    lists.RootFolders = {"D:\\Old\\"};
    lists.ShownList = ShownListId::Accumulator;
    const std::map<std::string, uint32_t> disk = {{"C:\\P\\b.jpg", 0x20}, {"C:\\P\\sub", 0x10}, {"C:\\P\\a.jpg", 0x20}};
    const EntryLookup lookup = [&disk](const std::string& path, FileRecord& r) {
        auto it = disk.find(path);
        if (it == disk.end()) {
            return false;
        }
        r.attributes = it->second;
        r.sizeLow = 7;
        r.mark = 1;  // whatever a lookup leaves, a loaded record is unmarked
        return true;
    };
    LoadListFile(lists, ParseListFile("C:\\P\\\nb.jpg\ngone.jpg\nsub\na.jpg\nb.jpg\r\n", Latin1), lookup);
    EXPECT_EQ(lists.RootFolders, std::vector<std::string>{"C:\\P\\"});
    EXPECT_EQ(Paths(lists.ResultList), (std::vector<std::string>{"b.jpg", "a.jpg"})) << "gone, folder and CR lines";
    EXPECT_EQ(lists.ResultList[0].mark, 0);
    EXPECT_EQ(lists.ResultList[0].sizeLow, 7u);
    EXPECT_EQ(lists.ShownList, ShownListId::Result);

    LoadListFile(lists, ParseListFile("", Latin1), lookup);
    EXPECT_TRUE(lists.RootFolders.empty());
    EXPECT_TRUE(lists.ResultList.Empty());
}

struct CopyCase {
    const char* name;
    std::vector<std::string> sources;
    std::vector<std::string> taken;
    std::vector<std::string> destinations;
};

class CopyNames : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyNames, NeverReuseATakenBaseName) {
    const CopyCase& c = GetParam();
    const std::vector<CopyPair> pairs = PlanCopy(c.sources, "D:\\To\\", c.taken);
    ASSERT_EQ(pairs.size(), c.destinations.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i].source, c.sources[i]);
        EXPECT_EQ(pairs[i].destination, "D:\\To\\" + c.destinations[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
        Cases,
        CopyNames,
        ::testing::Values(
                CopyCase{"OtherExtensionTakesTheBaseName", {"C:\\P\\photo.jpg"}, {"photo.gif"}, {"photo_000001.jpg"}},
                CopyCase{"NextFreeNumber",
                         {"C:\\P\\photo.jpg"},
                         {"photo.jpg", "photo_000001.jpg"},
                         {"photo_000002.jpg"}},
                CopyCase{"GapIsUsed", {"C:\\P\\photo.jpg"}, {"photo.jpg", "photo_000002.jpg"}, {"photo_000001.jpg"}},
                CopyCase{"EmptyFolderKeepsNames", {"C:\\P\\a.jpg", "C:\\P\\s\\b.png"}, {}, {"a.jpg", "b.png"}},
                CopyCase{"CaseBlind", {"C:\\P\\Photo.JPG"}, {"PHOTO.jpg"}, {"Photo_000001.JPG"}},
                CopyCase{"SameNameTwiceInTheBatch",
                         {"C:\\P\\x\\a.jpg", "C:\\P\\y\\a.jpg", "C:\\P\\z\\A.jpg"},
                         {},
                         {"a.jpg", "a_000001.jpg", "A_000002.jpg"}},
                CopyCase{"UnsortedBatchAgainstLaterNames",
                         {"C:\\P\\z.jpg", "C:\\P\\b.jpg"},
                         {"a.jpg", "b.jpg", "z.jpg"},
                         {"z_000001.jpg", "b_000001.jpg"}},
                CopyCase{"NoExtensionAndFolderNames",
                         {"C:\\P\\readme", "C:\\P\\d.x.jpg"},
                         {"readme.txt", "d.x.png"},
                         {"readme_000001", "d.x_000001.jpg"}}),
        [](const auto& row) { return std::string(row.param.name); });

TEST(CopyNamesTest, DestinationFolderEndsInOneBackslash) {
    EXPECT_EQ(DestinationFolder("D:\\Backup"), "D:\\Backup\\");
    EXPECT_EQ(DestinationFolder("D:\\"), "D:\\");
}

struct RemoveCase {
    const char* name;
    ShownListId shown;
    bool allSelected;
    std::vector<int16_t> marks;
    int32_t pending;
    std::vector<std::string> left;
    int32_t pendingAfter;
};

class RemoveSelected : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveSelected, TakesExactlyTheSelectedEntriesOut) {
    const RemoveCase& c = GetParam();
    ListsState lists;
    lists.ShownList = c.shown;
    lists.ResultList.Append(Named("result.jpg", 1));
    FileList& list = lists.ShownFileList();
    for (size_t i = 0; i < c.marks.size(); ++i) {
        list.Append(Named(std::string(1, static_cast<char>('a' + i)), c.marks[i]));
    }
    lists.AccumulatorPendingCount = c.pending;
    ThumbSelection::RemoveSelected(lists, c.allSelected);
    EXPECT_EQ(Paths(list), c.left);
    EXPECT_EQ(lists.AccumulatorPendingCount, c.pendingAfter);
    if (c.shown != ShownListId::Result) {
        EXPECT_EQ(lists.ResultList.Size(), 1u) << "lists not shown stay as they are";
    }
}

INSTANTIATE_TEST_SUITE_P(
        Cases,
        RemoveSelected,
        ::testing::Values(
                RemoveCase{"MarkedOnes", ShownListId::KeywordMatch, false, {1, 0, 1, 1, 4, 7}, 0, {"b", "e", "f"}, 0},
                RemoveCase{"AllButExcluded", ShownListId::KeywordMatch, true, {0, 4, 1, 7}, 0, {"b"}, 0},
                RemoveCase{"NothingSelected", ShownListId::KeywordMatch, false, {0, 4}, 0, {"a", "b"}, 0},
                RemoveCase{"PreviewShrinks", ShownListId::Accumulator, false, {1, 1, 0, 1}, 2, {"c"}, 0}),
        [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace pv
