// The view's selection rules: clicks with and without Control or Shift, all-selected mode
// with its exclusion mark, reveal, select all and clear all.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "thumbs/ThumbSelection.h"

namespace pv {
namespace {

FileList ListWithMarks(const std::vector<int16_t>& marks) {
    FileList list;
    for (int16_t m : marks) {
        FileRecord r;
        r.mark = m;
        list.Append(r);
    }
    return list;
}

std::vector<int16_t> Marks(const FileList& list) {
    std::vector<int16_t> marks;
    for (const FileRecord& r : list.Records()) {
        marks.push_back(r.mark);
    }
    return marks;
}

struct ClickCase {
    const char* name;
    bool allSelected;
    std::vector<int16_t> before;
    int32_t previous;  // current record before the click
    int32_t index;
    bool key;  // Control or Shift
    std::vector<int16_t> after;
    int32_t current;
};

const ClickCase kClicks[] = {
        {"plain click moves the mark", false, {1, 0, 0}, 0, 2, false, {0, 0, 1}, 2},
        {"plain click on the current record leaves it marked", false, {0, 1, 0}, 1, 1, false, {0, 1, 0}, 1},
        {"control keeps the other marks", false, {1, 0, 0}, 0, 2, true, {1, 0, 1}, 2},
        {"control toggles a marked record off", false, {1, 0, 1}, 0, 2, true, {1, 0, 0}, 2},
        {"past the end: last record current, marks kept", false, {1, 0, 0}, 0, 7, false, {1, 0, 0}, 2},
        {"all selected: a click excludes", true, {0, 0, 0}, 0, 1, true, {0, 4, 0}, 1},
        {"all selected: a second click includes again", true, {0, 4, 0}, 1, 1, true, {0, 0, 0}, 1},
        {"all selected: plain click clears the previous mark", true, {4, 0, 0}, 0, 2, false, {0, 0, 4}, 2},
        {"a scratch mark is not the view's to toggle", false, {0, 7, 0}, 0, 1, true, {0, 7, 0}, 1},
        {"a previous current past a shrunk list is ignored", false, {1, 0}, 5, 1, false, {1, 1}, 1},
};

TEST(ThumbSelectionTest, ClicksToggleMarksByMode) {
    for (const ClickCase& c : kClicks) {
        FileList list = ListWithMarks(c.before);
        ThumbSelection s;
        s.SetCurrent(c.previous);
        if (c.allSelected) {
            s.SelectAll();
        }
        s.Click(list, c.index, c.key);
        EXPECT_EQ(Marks(list), c.after) << c.name;
        EXPECT_EQ(s.Current(), c.current) << c.name;
    }
}

TEST(ThumbSelectionTest, SelectedMeansMarkOneOrNotExcluded) {
    // mark -> selected with the mode off, with it on
    const struct {
        int16_t mark;
        bool off;
        bool on;
    } rows[] = {{0, false, true}, {1, true, true}, {4, false, false}, {7, false, true}};

    for (const auto& row : rows) {
        FileRecord r;
        r.mark = row.mark;
        EXPECT_EQ(ThumbSelection::IsSelected(r, false), row.off) << row.mark;
        EXPECT_EQ(ThumbSelection::IsSelected(r, true), row.on) << row.mark;
    }
}

TEST(ThumbSelectionTest, SelectAllClearAllRevealAndReportClicks) {
    FileList list = ListWithMarks({1, 0, 4, 0});
    ThumbSelection s;
    s.SelectAll();
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{1, 0, 4, 0})) << "select all changes no mark";
    EXPECT_TRUE(s.IsSelected(list[1]));
    EXPECT_FALSE(s.IsSelected(list[2]));
    s.ClearAll(list);
    EXPECT_FALSE(s.AllSelected());
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{0, 0, 0, 0}));

    s.Reveal(list, 2);
    s.Reveal(list, 3);
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{0, 0, 0, 1})) << "reveal marks only the new record";
    EXPECT_EQ(s.Current(), 3);

    // A report click: without keys every mark goes, then the current record is marked.
    list[0].mark = 1;
    s.ReportClick(list, true);
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{1, 0, 0, 1}));
    s.ReportClick(list, false);
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{0, 0, 0, 1}));

    s.SelectAll();
    s.AfterDelete(list);
    EXPECT_FALSE(s.AllSelected());
    EXPECT_EQ(Marks(list), (std::vector<int16_t>{1, 0, 0, 0}));
    EXPECT_EQ(s.Current(), 0);

    FileList empty;
    s.Click(empty, 0, false);
    s.ReportClick(empty, false);
    EXPECT_EQ(s.Current(), 0) << "a click on an empty list does nothing";
}

}  // namespace
}  // namespace pv
