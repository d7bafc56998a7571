// The grid's arithmetic as a user meets it: how many columns fit, which cell a click picks,
// how far a scroll moves, how a selected cell is tinted and what the report prints.
#include <gtest/gtest.h>
#include <optional>
#include <vector>

#include "thumbs/ThumbGrid.h"

namespace pv {
namespace {

TEST(ThumbGridTest, LayoutColumnsRowsAndMaximum) {
    struct Case {
        int32_t width, scrollBar, height, count;
        GridLayout expected;
    };

    const Case cases[] = {
            {600, 17, 400, 10, {4, 3, 4 * 168 - 400 - 1}},  // (600 - 17 + 1) div 124 = 4
            {600, 17, 700, 10, {4, 3, 0}},                  // everything fits: no scrolling
            {123 + 17 - 1, 17, 400, 3, {0, 0, 0}},          // one pixel short of a column
            {124 + 17 - 1, 17, 168, 3, {1, 3, 4 * 168 - 168 - 1}},
            {1280, 17, 900, 0, {10, 0, 0}},
    };
    for (const Case& c : cases) {
        const GridLayout got = LayOutGrid(c.width, c.scrollBar, c.height, c.count);
        EXPECT_EQ(got.columns, c.expected.columns) << c.width;
        EXPECT_EQ(got.rows, c.expected.rows) << c.width;
        EXPECT_EQ(got.maximum, c.expected.maximum) << c.width << "x" << c.height;
    }
}

TEST(ThumbGridTest, ClickLandsOnTheCellUnderIt) {
    struct Case {
        int32_t x, y, position, columns, count;
        std::optional<int32_t> index;
    };

    const Case cases[] = {
            {40, 10, 0, 4, 10, 0},                               // the left margin belongs to column 0
            {170, 10, 0, 4, 10, 0},                              // the gap after a cell still belongs to it
            {180, 10, 0, 4, 10, 1},    {180, 170, 0, 4, 10, 5},  // second row
            {180, 10, 168, 4, 10, 5},                            // scrolled by a row
            {180, 10, 84, 4, 10, 1},                             // half a row
            {547, 10, 0, 4, 10, 3},                              // last pixel of column 3's gap
            {548, 10, 0, 4, 10, {}},                             // right margin: no record, not the next row's first
            {2000, 500, 0, 4, 10, {}}, {180, 500, 0, 4, 10, 9},  // below the end: the last record
            {40, 10, 0, 4, 0, {}},                               // empty list
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClickIndex(c.x, c.y, c.position, c.columns, c.count), c.index) << c.x << "," << c.y;
    }
}

TEST(ThumbGridTest, ScrollStepsAndClamping) {
    struct Case {
        ScrollRequest request;
        int32_t position, track, maximum, expected;
    };

    const Case cases[] = {
            {ScrollRequest::LineDown, 0, 0, 1000, 84},     {ScrollRequest::LineDown, 84, 0, 1000, 168},
            {ScrollRequest::LineUp, 168, 0, 1000, 84},     {ScrollRequest::LineUp, 0, 0, 1000, 0},
            {ScrollRequest::LineDown, 990, 0, 1000, 1000}, {ScrollRequest::PageDown, 1000, 0, 1000, 1000},
            {ScrollRequest::PageDown, 10, 0, 1000, 178},   {ScrollRequest::PageUp, 100, 0, 1000, 0},
            {ScrollRequest::Track, 0, 555, 1000, 555},     {ScrollRequest::Track, 0, 5555, 1000, 1000},
            {ScrollRequest::Top, 700, 0, 1000, 0},         {ScrollRequest::Bottom, 7, 0, 1000, 1000},
            {ScrollRequest::LineDown, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollPosition(c.request, c.position, c.track, c.maximum), c.expected)
                << static_cast<int>(c.request) << " from " << c.position;
    }
    EXPECT_EQ(WheelPosition(400, 1, 1000), 232);   // away from the user: up a page
    EXPECT_EQ(WheelPosition(400, -2, 1000), 736);  // towards: down two
    EXPECT_EQ(WheelPosition(100, 3, 1000), 0);
    EXPECT_EQ(WheelPosition(900, -1000000, 1000), 1000);
}

TEST(ThumbGridTest, FirstVisibleRecordAndRowPositions) {
    EXPECT_EQ(FirstVisibleRecord(335, 4), 4);
    EXPECT_EQ(FirstVisibleRecord(336, 4), 8);
    EXPECT_EQ(RowPosition(9, 4), 336);
    EXPECT_EQ(RowPosition(9, 0), 0);
    const VisibleRows rows = RowsInView(84, 400);  // rows 0 (half) to 2 (reaching 483)
    EXPECT_EQ(rows.first, 0);
    EXPECT_EQ(rows.last, 2);
    const CellOrigin at = CellOriginOf(1, 2, 84);
    EXPECT_EQ(at.x, 52 + 248);
    EXPECT_EQ(at.y, 84);
}

TEST(ThumbGridTest, TintKeepsBlueAndDarkensGreenAndRed) {
    std::vector<uint8_t> pixels = {10, 200, 255, 0, 1, 3};
    TintSelected(pixels.data(), pixels.size());
    EXPECT_EQ(pixels, (std::vector<uint8_t>{10, 150, 190, 0, 0, 1}));
}

TEST(ThumbGridTest, ReportDatesAndSizes) {
    // A file written at 2024-03-01 00:03:00 UTC shows the leap day before it: the cut moves
    // the time back to 23:57:06.652; at 00:07:00 it stays on the same day.
    const CivilDate early = ReportDate(133537249800000000ull);
    EXPECT_EQ(early, (CivilDate{2024, 2, 29, 4, 23, 57, 6, 652}));
    const CivilDate later = ReportDate(133537252200000000ull);
    EXPECT_EQ(later, (CivilDate{2024, 3, 1, 5, 0, 4, 16, 150}));
    EXPECT_EQ(ReportFileTime(0x0123'4567'89AB'CDEFull), 0x0123'4567'0000'4DEFull);
    // No time-zone conversion: the epochs fall where they are.
    EXPECT_EQ(FileTimeToCivil(0), (CivilDate{1601, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(FileTimeToCivil(116444736000000000ull), (CivilDate{1970, 1, 1, 4, 0, 0, 0, 0}));

    FileRecord record;
    record.sizeLow = 0xFFFFFFFFu;
    EXPECT_EQ(ReportSizeText(record), "4294967295");
    record.sizeHigh = 1;
    record.sizeLow = 0x80000000u;  // 6 GiB: once shown as a negative number
    EXPECT_EQ(ReportSizeText(record), "6442450944");
}

}  // namespace
}  // namespace pv
