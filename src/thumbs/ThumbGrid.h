// The arithmetic of the thumbnail grid and the report list: geometry, layout, which record
// a click lands on, scrolling, the tint of selected cells and the report's texts. Pure, so
// the view's rules are tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "search/FileRecord.h"

namespace pv {

inline constexpr int32_t kCellPitchX = 124;  // 104 + 20
inline constexpr int32_t kCellPitchY = 168;  // 105 + 63
inline constexpr int32_t kGridLeftMargin = 52;
inline constexpr int32_t kLineStep = 84;  // half a row
inline constexpr int32_t kPageStep = 168;
// The caption box under a thumbnail, from the cell's top.
inline constexpr int32_t kCaptionTop = 108;
inline constexpr int32_t kCaptionBottom = 154;

struct GridLayout {
    int32_t columns = 0;  // 0: nothing is laid out or painted
    int32_t rows = 0;
    int32_t maximum = 0;  // the largest scroll position
};

GridLayout LayOutGrid(int32_t clientWidth, int32_t scrollBarWidth, int32_t clientHeight, int32_t count);

// The record a left click at (x, y) of the client area lands on, with the view scrolled to
// `position`: nothing in the margin right of the last column or when the list is empty; the
// last record for a click below the end of the list.
std::optional<int32_t> ClickIndex(int32_t x, int32_t y, int32_t position, int32_t columns, int32_t count);

enum class ScrollRequest {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    Track,  // thumb position and thumb track: the track position
    Top,
    Bottom,
};

// The position after a scroll request, clamped to 0 .. maximum.
int32_t ScrollPosition(ScrollRequest request, int32_t position, int32_t track, int32_t maximum);

// The position after the wheel turned `notchesAway` notches away from the user (negative:
// towards), a page per notch, clamped to 0 .. maximum.
int32_t WheelPosition(int32_t position, int32_t notchesAway, int32_t maximum);

// The first record of the row at the top of the view, where the producer's batch starts.
int32_t FirstVisibleRecord(int32_t position, int32_t columns);

// The scroll position that shows the row of `record` at the top (layout, reveal).
int32_t RowPosition(int32_t record, int32_t columns);

// The rows a paint draws: from the top one to the last that reaches into the client area.
struct VisibleRows {
    int32_t first = 0;
    int32_t last = -1;
};

VisibleRows RowsInView(int32_t position, int32_t clientHeight);

// Top-left corner of the cell of `column` in `row` in the client area.
struct CellOrigin {
    int32_t x = 0;
    int32_t y = 0;
};

CellOrigin CellOriginOf(int32_t row, int32_t column, int32_t position);

// A selected cell keeps every pixel's blue and makes its green and red g into g/4 + g/2.
void TintSelected(uint8_t* bgr, size_t bytes);

// The report's date rule: the low 32 bits cut to their lowest 15 (the time moves back by
// less than about 7 minutes 10 seconds).
uint64_t ReportFileTime(uint64_t fileTime);

// A file time (100-ns units since 1601-01-01) as calendar date and time, as it stands: no
// time-zone conversion.
struct CivilDate {
    int32_t year = 1601;
    int32_t month = 1;      // 1 .. 12
    int32_t day = 1;        // 1 .. 31
    int32_t dayOfWeek = 1;  // 0 Sunday .. 6 Saturday
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t milliseconds = 0;

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

CivilDate FileTimeToCivil(uint64_t fileTime);

// The report's date of one of a record's times (the rule above, then the calendar date).
CivilDate ReportDate(uint64_t fileTime);

// The report's "File Size": the whole 64-bit size, unsigned.
std::string ReportSizeText(const FileRecord& record);

}  // namespace pv
