// The order of the lists under each key, the texts, the menus and the pending records.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/Collation.h"
#include "search/Ordering.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

FileRecord Rec(std::string path, uint32_t sizeLow = 0, uint64_t time = 0, uint32_t sizeHigh = 0) {
    FileRecord r;
    r.relativePath = std::move(path);
    r.sizeLow = sizeLow;
    r.sizeHigh = sizeHigh;
    r.lastWriteTime = time;
    r.creationTime = time;
    r.lastAccessTime = time;
    return r;
}

FileList ListOf(const std::vector<FileRecord>& records) {
    FileList list;
    for (const FileRecord& r : records) {
        list.Append(r);
    }
    return list;
}

std::vector<std::string> Paths(const FileList& list) {
    std::vector<std::string> out;
    for (const FileRecord& r : list.Records()) {
        out.push_back(r.relativePath);
    }
    return out;
}

using Names = std::vector<std::string>;

// The sort key and the result's paths, read under one lock.
std::pair<SortKey, Names> Result(SharedLists& lists) {
    SharedLists::Access s = lists.Lock();
    return {s->SortCode, Paths(s->ResultList)};
}

TEST(OrderingTest, EachKeyOrdersAsItsTextSays) {
    const uint64_t early = 100;
    const uint64_t late = 200;
    // A time whose high half is negative as a signed number sorts before every other.
    const uint64_t negativeHigh = 0x8000000000000000ULL;

    struct Case {
        int32_t key;
        std::vector<FileRecord> in;
        Names expected;
    };

    const Case cases[] = {
            {kSortName, {Rec("zoo\\c.jpg"), Rec("b.jpg"), Rec("2003\\a.jpg")}, {"2003\\a.jpg", "b.jpg", "zoo\\c.jpg"}},
            {kSortName,
             {Rec("B.jpg"), Rec("b.jpg"), Rec("a-b.jpg"), Rec("ab.jpg")},
             {"ab.jpg", "a-b.jpg", "b.jpg", "B.jpg"}},
            {kSortExtensions,
             {Rec("a.JPG"), Rec("b.gif"), Rec("noext"), Rec("dir.x\\c")},
             {"noext", "dir.x\\c", "b.gif", "a.JPG"}},
            {kSortSizeAscending,
             {Rec("big", 3000000000u), Rec("small", 1000), Rec("4gib", 0, 0, 1)},
             {"4gib", "small", "big"}},
            {kSortSizeDescending,
             {Rec("small", 1000), Rec("4gib", 0, 0, 1), Rec("big", 3000000000u)},
             {"big", "small", "4gib"}},
            {kSortWriteTimeAscending,
             {Rec("late", 0, late), Rec("neg", 0, negativeHigh), Rec("early", 0, early)},
             {"neg", "early", "late"}},
            {kSortWriteTimeDescending, {Rec("early", 0, early), Rec("late", 0, late)}, {"late", "early"}},
            {kSortCreationTimeAscending, {Rec("late", 0, late), Rec("early", 0, early)}, {"early", "late"}},
            {kSortCreationTimeDescending, {Rec("early", 0, early), Rec("late", 0, late)}, {"late", "early"}},
            {kSortAccessTimeAscending, {Rec("late", 0, late), Rec("early", 0, early)}, {"early", "late"}},
            {kSortAccessTimeDescending, {Rec("early", 0, early), Rec("late", 0, late)}, {"late", "early"}},
            // Equal keys keep their order, whatever the key.
            {kSortSizeAscending, {Rec("x", 5), Rec("y", 5), Rec("w", 5)}, {"x", "y", "w"}},
            {kSortWriteTimeAscending, {Rec("x", 0, 7), Rec("y", 0, 7)}, {"x", "y"}},
            {kSortWriteTimeDescending, {Rec("x", 0, 7), Rec("y", 0, 7)}, {"x", "y"}},
            {kSortExtensions, {Rec("b.JPG"), Rec("a.jpg")}, {"b.JPG", "a.jpg"}},
            // No sorting for 10 and for numbers outside the table.
            {kSortUnsorted, {Rec("b"), Rec("a")}, {"b", "a"}},
            {-1, {Rec("b"), Rec("a")}, {"b", "a"}},
            {11, {Rec("b"), Rec("a")}, {"b", "a"}},
    };
    for (const Case& c : cases) {
        FileList list = ListOf(c.in);
        SortFileList(list, c.key);
        EXPECT_EQ(Paths(list), c.expected) << "key " << c.key;
    }
}

TEST(OrderingTest, TextsMapExactlyAndUnknownTextsLeaveTheListUnsorted) {
    for (size_t i = 0; i < kSortTexts.size(); ++i) {
        EXPECT_EQ(SortKeyFromText(kSortTexts[i]), static_cast<int32_t>(i));
    }
    EXPECT_EQ(kSortTexts[4], "Modific. Time (descending)");
    for (const char* text : {"name", "Name ", "", "Size(ascending)", "Unsorted"}) {
        EXPECT_EQ(SortKeyFromText(text), kSortUnsorted) << text;
    }
    ListsState lists;
    lists.ResultList = ListOf({Rec("b.jpg", 1), Rec("a.jpg", 2)});
    SortResultByText(lists, "Size (descending)");
    EXPECT_EQ(std::pair(lists.SortCode, Paths(lists.ResultList)),
              std::pair(kSortSizeDescending, Names{"a.jpg", "b.jpg"}));
    SortResultByText(lists, "whatever");
    EXPECT_EQ(std::pair(lists.SortCode, Paths(lists.ResultList)), std::pair(kSortUnsorted, Names{"a.jpg", "b.jpg"}));
}

TEST(OrderingTest, MenuItemsSortByTheKeyTheirTextNames) {
    const int32_t expected[kMenuSortItems] = {0, 3, 2, 5, 4, 7, 6, 9, 8};
    for (int i = 0; i < kMenuSortItems; ++i) {
        EXPECT_EQ(MenuSortKey(kContextSortFirst + i), expected[i]);
        EXPECT_EQ(MenuSortKey(kFrameSortFirst + i), expected[i]);
    }
    for (int id : {kFrameSortFirst - 1, kFrameSortFirst + 9, kContextSortFirst - 1, kContextSortFirst + 9}) {
        EXPECT_EQ(MenuSortKey(id), -1) << id;
    }
    SharedLists lists;
    lists.Lock()->SortCode = kSortName;
    lists.Lock()->ResultList = ListOf({Rec("big", 9), Rec("small", 1)});
    int resets = 0;
    EXPECT_TRUE(RunMenuSort(lists, kFrameSortFirst + 1, [&](int32_t count) {
        ++resets;
        EXPECT_EQ(count, 2);
    }));
    // The menus leave SortCode alone.
    EXPECT_EQ(Result(lists), std::pair(kSortName, Names{"small", "big"}));
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(RunMenuSort(lists, 1, {}));
}

TEST(OrderingTest, ShownListSortDropsPendingAccumulatorRecords) {
    SharedLists lists;
    {
        SharedLists::Access state = lists.Lock();
        state->ShownList = ShownListId::Accumulator;
        state->AccumulatorList = ListOf({Rec("preview2"), Rec("preview1"), Rec("c"), Rec("a"), Rec("b")});
        state->AccumulatorPendingCount = 2;
    }
    int32_t resetCount = -1;
    const ViewReset reset = [&](int32_t count) { resetCount = count; };
    EXPECT_EQ(SortAndShow(lists, kSortName, reset), 1);
    EXPECT_EQ(Paths(lists.Lock()->AccumulatorList), (Names{"a", "b", "c"}));
    EXPECT_EQ(std::pair(lists.Lock()->AccumulatorPendingCount, resetCount), std::pair(0, 3));
    resetCount = -1;
    EXPECT_EQ(SortAndShow(lists, kSortUnsorted, reset), 0);
    EXPECT_EQ(resetCount, -1);

    // The other lists keep their records whatever the pending count says.
    SharedLists::Access state = lists.Lock();
    state->ShownList = ShownListId::KeywordMatch;
    state->KeywordMatchList = ListOf({Rec("b"), Rec("a")});
    state->AccumulatorPendingCount = 1;
    SortShownList(*state, kSortName);
    EXPECT_EQ(Paths(state->KeywordMatchList), (Names{"a", "b"}));
    EXPECT_EQ(state->AccumulatorPendingCount, 1);
}

TEST(OrderingTest, SortDialogStoresTheLineAndResetsEvenWithoutOne) {
    SharedLists lists;
    lists.Lock()->ResultList = ListOf({Rec("b", 1), Rec("a", 2)});
    int resets = 0;
    const ViewReset reset = [&](int32_t) { ++resets; };
    ApplySortDialogChoice(lists, -1, reset);
    EXPECT_EQ(Result(lists), std::pair(kSortNoChoice, Names{"b", "a"}));
    EXPECT_EQ(resets, 1);
    ApplySortDialogChoice(lists, kSortName, reset);
    EXPECT_EQ(Result(lists), std::pair(kSortName, Names{"a", "b"}));
    EXPECT_EQ(resets, 2);
}

// Growth stays within 1024 records of the count, however long the search.
TEST(FileListTest, GrowthBoundAndRemoval) {
    FileList list;
    for (int i = 0; i < 20000; ++i) {
        list.Append(Rec(""));
        ASSERT_LE(list.Capacity(), list.Size() + 1024);
    }
    FileList small = ListOf({Rec("a"), Rec("b"), Rec("c"), Rec("d")});
    small.RemoveAt(1, 2);
    EXPECT_EQ(Paths(small), (Names{"a", "d"}));
    small.RemoveAt(5);
    small.RemoveAt(1, 100);
    EXPECT_EQ(Paths(small), (Names{"a"}));
    small.InsertAt(0, std::vector<FileRecord>{Rec("x"), Rec("y")});
    EXPECT_EQ(Paths(small), (Names{"x", "y", "a"}));
    small.Clear();
    EXPECT_EQ(small.Count(), 0);
}

// The portable word sort orders names the way the Windows shell's comparison does.
TEST(CollationTest, WordSortOrder) {
    // Each name sorts strictly before the next one.
    const std::vector<std::string> ascending = {
            "",    " a", "!a",  "#a",  "(a",    ".a",    "_a",     "~a",      "+a",     "=a", "0",
            "00",  "1",  "9a",  "a",   "A",     "a b",   "a.b",    "a_b",     "a+b",    "a0", "ab",
            "a-b", "aB", "a-B", "abc", "b.jpg", "B.jpg", "b1.jpg", "b10.jpg", "b2.jpg", "z",  "Фото",
    };
    for (size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(CompareNames(ascending[i], ascending[i + 1]), 0) << ascending[i] << " / " << ascending[i + 1];
        EXPECT_GT(CompareNames(ascending[i + 1], ascending[i]), 0) << ascending[i + 1] << " / " << ascending[i];
        EXPECT_EQ(CompareNames(ascending[i], ascending[i]), 0);
    }
}

TEST(CollationTest, NoCaseComparison) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };

    const Case cases[] = {
            {"JPG", "jpg", 0}, {".gif", ".JPG", -1}, {"", ".jpg", -1},   {"Jpeg", "JPG", -1},
            {"a-b", "AB", 1},  {"mp3", "MP3", 0},    {"wav", "WAX", -1},
    };
    for (const Case& c : cases) {
        const int r = CompareNamesNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        const int back = CompareNamesNoCase(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " / " << c.a;
    }
}

}  // namespace
}  // namespace pv
