#include "thumbs/ThumbGrid.h"

#include <algorithm>

namespace pv {

namespace {

int32_t Clamp(int64_t position, int32_t maximum) {
    return static_cast<int32_t>(std::clamp<int64_t>(position, 0, std::max(maximum, 0)));
}

// 100-ns ticks in a day, and days from 1601-01-01 to 1970-01-01.
constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr uint64_t kSecondsPerDay = 86'400;
constexpr int64_t kDays1601To1970 = 134'774;

// The proleptic Gregorian date of a day counted from 1970-01-01.
void CivilFromDays(int64_t days, CivilDate& date) {
    days += 719'468;
    const int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const int64_t dayOfEra = days - era * 146'097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
    date.day = static_cast<int32_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int32_t>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int32_t>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
}

}  // namespace

GridLayout LayOutGrid(int32_t clientWidth, int32_t scrollBarWidth, int32_t clientHeight, int32_t count) {
    GridLayout layout;
    const int64_t columns = (int64_t{clientWidth} - scrollBarWidth + 1) / kCellPitchX;
    if (columns <= 0) {
        return layout;
    }
    layout.columns = static_cast<int32_t>(columns);
    const int64_t rows = (std::max(count, 0) + columns - 1) / columns;
    layout.rows = static_cast<int32_t>(rows);
    const int64_t maximum = (rows + 1) * kCellPitchY - clientHeight - 1;
    layout.maximum = static_cast<int32_t>(std::clamp<int64_t>(maximum, 0, INT32_MAX));
    return layout;
}

std::optional<int32_t> ClickIndex(int32_t x, int32_t y, int32_t position, int32_t columns, int32_t count) {
    if (count <= 0 || columns <= 0) {
        return std::nullopt;
    }
    const int32_t column = x < kGridLeftMargin ? 0 : (x - kGridLeftMargin) / kCellPitchX;
    if (column >= columns) {
        return std::nullopt;  // the margin right of the last column belongs to no record
    }
    const int64_t row = std::max<int64_t>(int64_t{position} + y, 0) / kCellPitchY;
    const int64_t index = row * columns + column;
    return static_cast<int32_t>(std::min<int64_t>(index, count - 1));
}

int32_t ScrollPosition(ScrollRequest request, int32_t position, int32_t track, int32_t maximum) {
    int64_t next = position;
    switch (request) {
    case ScrollRequest::LineUp: next -= kLineStep; break;
    case ScrollRequest::LineDown: next += kLineStep; break;
    case ScrollRequest::PageUp: next -= kPageStep; break;
    case ScrollRequest::PageDown: next += kPageStep; break;
    case ScrollRequest::Track: next = track; break;
    case ScrollRequest::Top: next = 0; break;
    case ScrollRequest::Bottom: next = maximum; break;
    }
    return Clamp(next, maximum);
}

int32_t WheelPosition(int32_t position, int32_t notchesAway, int32_t maximum) {
    return Clamp(int64_t{position} - int64_t{notchesAway} * kPageStep, maximum);
}

int32_t FirstVisibleRecord(int32_t position, int32_t columns) {
    return std::max(position, 0) / kCellPitchY * std::max(columns, 0);
}

int32_t RowPosition(int32_t record, int32_t columns) {
    if (columns <= 0 || record <= 0) {
        return 0;
    }
    return static_cast<int32_t>(std::min<int64_t>(int64_t{record / columns} * kCellPitchY, INT32_MAX));
}

VisibleRows RowsInView(int32_t position, int32_t clientHeight) {
    if (clientHeight <= 0) {
        return {};
    }
    const int32_t top = std::max(position, 0);
    return {top / kCellPitchY, static_cast<int32_t>((int64_t{top} + clientHeight - 1) / kCellPitchY)};
}

CellOrigin CellOriginOf(int32_t row, int32_t column, int32_t position) {
    return {kGridLeftMargin + kCellPitchX * column, static_cast<int32_t>(int64_t{kCellPitchY} * row - position)};
}

void TintSelected(uint8_t* bgr, size_t bytes) {
    for (size_t i = 0; i + 2 < bytes; i += 3) {
        bgr[i + 1] = static_cast<uint8_t>(bgr[i + 1] / 4 + bgr[i + 1] / 2);
        bgr[i + 2] = static_cast<uint8_t>(bgr[i + 2] / 4 + bgr[i + 2] / 2);
    }
}

uint64_t ReportFileTime(uint64_t fileTime) {
    return (fileTime & 0xFFFF'FFFF'0000'0000ull) | (fileTime & 0x7FFFu);
}

CivilDate FileTimeToCivil(uint64_t fileTime) {
    CivilDate date;
    const uint64_t seconds = fileTime / kTicksPerSecond;
    const uint64_t days = seconds / kSecondsPerDay;
    const uint64_t secondOfDay = seconds % kSecondsPerDay;
    CivilFromDays(static_cast<int64_t>(days) - kDays1601To1970, date);
    date.dayOfWeek = static_cast<int32_t>((days + 1) % 7);  // 1601-01-01 was a Monday
    date.hour = static_cast<int32_t>(secondOfDay / 3600);
    date.minute = static_cast<int32_t>(secondOfDay / 60 % 60);
    date.second = static_cast<int32_t>(secondOfDay % 60);
    date.milliseconds = static_cast<int32_t>(fileTime % kTicksPerSecond / 10'000);
    return date;
}

CivilDate ReportDate(uint64_t fileTime) {
    return FileTimeToCivil(ReportFileTime(fileTime));
}

std::string ReportSizeText(const FileRecord& record) {
    return std::to_string(uint64_t{record.sizeHigh} << 32 | record.sizeLow);
}

}  // namespace pv
