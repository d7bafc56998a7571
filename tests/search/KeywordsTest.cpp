// Word splitting, the word list, the pane's rows and the lists a chosen or ticked word shows.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "search/Keywords.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

using Names = std::vector<std::string>;

TEST(KeywordsTest, SplitsPathsInBothModes) {
    struct Case {
        const char* path;
        int32_t mode;
        Names folder;
        Names name;
    };

    const Case cases[] = {
            {"2003 trip\\beach_day, sun.jpg", kWordModeKeywords, {"2003", "trip"}, {"beach", "day", "sun"}},
            {"2003 trip\\beach_day, sun.jpg", kWordModeNames, {"2003 trip"}, {"beach_day, sun"}},
            {"a__b\\\\c/d_e.f.jpg", kWordModeKeywords, {"a", "b", "c"}, {"d", "e.f"}},
            {"x\\my.photo.jpg", kWordModeKeywords, {"x"}, {"my.photo"}},
            {"plain.jpg", kWordModeNames, {}, {"plain"}},
            {".jpg", kWordModeKeywords, {}, {}},
    };
    for (const Case& c : cases) {
        const PathWords words = SplitPathWords(c.path, c.mode);
        EXPECT_EQ(words.folder, c.folder) << c.path << " mode " << c.mode;
        EXPECT_EQ(words.name, c.name) << c.path << " mode " << c.mode;
    }
}

FileList ListOf(const Names& paths) {
    FileList list;
    for (const std::string& p : paths) {
        FileRecord r;
        r.relativePath = p;
        list.Append(r);
    }
    return list;
}

Names Paths(const FileList& list) {
    Names out;
    for (const FileRecord& r : list.Records()) {
        out.push_back(r.relativePath);
    }
    return out;
}

TEST(KeywordsTest, WordListMergesCaseAndCountsPlaces) {
    const std::vector<WordEntry> words =
            BuildWordList(ListOf({"Beach\\sun_beach.jpg", "beach\\Sea.jpg", "zeta\\Alpha.gif"}), kWordModeKeywords);

    struct Row {
        std::string text;
        int32_t inFile, inFolder;
    };

    const std::vector<Row> expected = {{"Alpha", 1, 0}, {"Beach", 1, 2}, {"Sea", 1, 0}, {"sun", 1, 0}, {"zeta", 0, 1}};
    ASSERT_EQ(words.size(), expected.size());
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i].text, expected[i].text) << i;
        EXPECT_EQ(words[i].fileNameCount, expected[i].inFile) << i;
        EXPECT_EQ(words[i].folderNameCount, expected[i].inFolder) << i;
        EXPECT_EQ(words[i].totalCount, expected[i].inFile + expected[i].inFolder) << i;
    }
    EXPECT_TRUE(BuildWordList(FileList(), kWordModeNames).empty());
}

TEST(KeywordsTest, CountTextsFollowTakeAndMode) {
    EXPECT_EQ(WordCountText(kTakeFiles, kWordModeKeywords, 3), "Keywords in filenames:  3");
    EXPECT_EQ(WordCountText(kTakeFiles, kWordModeNames, 0), "Filenames:  0");
    EXPECT_EQ(WordCountText(kTakeFolders, kWordModeKeywords, 1), "Keywords in foldernames:  1");
    EXPECT_EQ(WordCountText(kTakeFolders, kWordModeNames, 2), "Foldernames:  2");
    EXPECT_EQ(WordCountText(kTakeBoth, kWordModeKeywords, 9), "Keywords in filenames and foldernames:  9");
    EXPECT_EQ(WordCountText(kTakeTyped, kWordModeNames, 4), "Filenames and foldernames:  4");
}

// A result with overlapping words: "sun" and "sea" share b and c.
class KeywordSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        lists.SetRoot("C:\\p\\");
        lists.ResultList = ListOf({"a\\sun.jpg", "b\\sun_sea.jpg", "c\\sea sun.jpg", "d\\sea.jpg", "e\\sky.jpg"});
        search.PressButton(0);
        search.Build(lists);
        search.FilterRows();
    }

    int32_t Word(const std::string& text) const {
        for (size_t i = 0; i < search.Words().size(); ++i) {
            if (search.Words()[i].text == text) {
                return static_cast<int32_t>(i);
            }
        }
        return -1;
    }

    ListsState lists;
    KeywordSearch search;
};

TEST_F(KeywordSearchTest, RowsFollowTheTakeSettingAndTypedKeyword) {
    EXPECT_EQ(search.Take(), kTakeBoth);  // a mode button fills the unset take
    EXPECT_EQ(search.RowCount(), 8);      // a b c d e sea sky sun
    search.PressButton(3);                // folders only
    ASSERT_EQ(search.FilterRows(), 5);
    EXPECT_EQ(search.Words()[static_cast<size_t>(search.RowWord(4))].text, "e");
    EXPECT_EQ(search.RowWord(5), -1);
    search.PressButton(4);
    search.FilterRows();
    EXPECT_FALSE(search.TypeKeyword(""));
    ASSERT_TRUE(search.TypeKeyword("SK"));
    EXPECT_EQ(search.Take(), kTakeTyped);
    EXPECT_EQ(search.RowCount(), 2);
    EXPECT_EQ(search.Words()[static_cast<size_t>(search.RowWord(0))].text, "sky");
    ASSERT_TRUE(search.TypeKeyword("zz"));
    EXPECT_EQ(search.RowCount(), 0);
}

TEST_F(KeywordSearchTest, TickingUntickingAndPreviewing) {
    // A text click with nothing ticked shows the matches, once per occurrence.
    ASSERT_TRUE(search.ChooseWord(lists, Word("sun"), false));
    EXPECT_EQ(lists.ShownList, ShownListId::KeywordMatch);
    EXPECT_EQ(Paths(lists.KeywordMatchList), (Names{"a\\sun.jpg", "b\\sun_sea.jpg", "c\\sea sun.jpg"}));
    EXPECT_EQ(lists.AccumulatorPendingCount, 3);

    // Ticking drops the preview; overlapping ticks keep each path once.
    ASSERT_TRUE(search.ChooseWord(lists, Word("sun"), true));
    ASSERT_TRUE(search.ChooseWord(lists, Word("sea"), true));
    EXPECT_EQ(search.AccumulatedWords(), 2);
    EXPECT_EQ(lists.ShownList, ShownListId::Accumulator);
    EXPECT_EQ(Paths(lists.AccumulatorList), (Names{"a\\sun.jpg", "b\\sun_sea.jpg", "c\\sea sun.jpg", "d\\sea.jpg"}));

    // A text click previews at the front; the next one replaces the preview.
    search.ChooseWord(lists, Word("sky"), false);
    search.ChooseWord(lists, Word("d"), false);
    EXPECT_EQ(lists.AccumulatorPendingCount, 1);
    EXPECT_EQ(Paths(lists.AccumulatorList).front(), "d\\sea.jpg");
    EXPECT_EQ(lists.AccumulatorList.Count(), 5);

    // Unticking takes the word's matches out (shared ones too) and drops the preview.
    search.ChooseWord(lists, Word("sea"), true);
    EXPECT_EQ(Paths(lists.AccumulatorList), (Names{"a\\sun.jpg"}));
    EXPECT_EQ(lists.AccumulatorPendingCount, 0);
    // Unticking the only ticked word empties it and shows the match list again.
    search.ChooseWord(lists, Word("sun"), true);
    EXPECT_TRUE(lists.AccumulatorList.Empty());
    EXPECT_EQ(lists.ShownList, ShownListId::KeywordMatch);
    EXPECT_EQ(search.AccumulatedWords(), 0);

    search.ChooseWord(lists, Word("sky"), true);
    ASSERT_TRUE(search.ClearAccumulator(lists));
    EXPECT_EQ(search.Words()[static_cast<size_t>(Word("sky"))].accumulated, 0);
    EXPECT_FALSE(search.ClearAccumulator(lists));
}

TEST_F(KeywordSearchTest, NewRootClearsTheKeywordListsAndStaleWords) {
    search.ChooseWord(lists, Word("sun"), true);
    search.ChooseWord(lists, Word("sea"), false);
    ASSERT_FALSE(lists.AccumulatorList.Empty());
    lists.SetRoot("D:\\other\\");
    EXPECT_TRUE(lists.KeywordMatchList.Empty());
    EXPECT_TRUE(lists.AccumulatorList.Empty());
    EXPECT_EQ(lists.AccumulatorPendingCount, 0);
    EXPECT_EQ(lists.ShownList, ShownListId::Result);
    // A word of the old root's list is refused until the list is built again.
    EXPECT_TRUE(search.NeedsBuild(lists));
    EXPECT_FALSE(search.ChooseWord(lists, Word("sky"), true));
    EXPECT_EQ(lists.ShownList, ShownListId::Result);
    search.Build(lists);
    EXPECT_EQ(search.AccumulatedWords(), 0);
    EXPECT_FALSE(search.ChooseWord(lists, 99, false));
}

}  // namespace
}  // namespace pv
