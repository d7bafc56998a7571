#include "search/SearchChoices.h"

#include "platform/Collation.h"
#include "platform/SettingsValues.h"
#include "search/Ordering.h"
#include "search/SearchCriteria.h"

namespace pv {

const std::array<SizeChoice, kSizeChoiceCount> kSizeChoices = {{
        {"0", 0},
        {"100", 100},
        {"300", 300},
        {"500", 500},
        {"700", 700},
        {"1 000", 1000},
        {"3 000", 3000},
        {"5 000", 5000},
        {"7 000", 7000},
        {"10 000", 10000},
        {"30 000", 30000},
        {"50 000", 50000},
        {"70 000", 70000},
        {"100 000", 100000},
        {"300 000", 300000},
        {"500 000", 500000},
        {"700 000", 700000},
        {"1 000 000", 1000000},
        {"Any", kAnySize},
}};

int32_t SizeChoiceIndex(std::string_view text) {
    for (size_t i = 0; i < kSizeChoices.size(); ++i) {
        if (kSizeChoices[i].text == text) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t SortChoiceIndex(std::string_view text) {
    for (size_t i = 0; i < kSortTexts.size(); ++i) {
        if (kSortTexts[i] == text) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

uint32_t MinSizeBytes(std::string_view text) {
    const int32_t i = SizeChoiceIndex(text);
    return i < 0 ? 0 : kSizeChoices[static_cast<size_t>(i)].bytes;
}

uint32_t MaxSizeBytes(std::string_view text) {
    const int32_t i = SizeChoiceIndex(text);
    return i < 0 ? kAnySize : kSizeChoices[static_cast<size_t>(i)].bytes;
}

namespace {

bool IsLeapYear(int32_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int32_t DaysInMonth(int32_t y, int32_t m) {
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1601-01-01 to the first day of year y.
int64_t DaysBeforeYear(int64_t y) {
    const int64_t n = y - 1601;
    return n * 365 + n / 4 - n / 100 + n / 400;
}

}  // namespace

std::optional<uint64_t> FileTimeOf(const DateTime& v) {
    if (v.year < 1601 || v.year > 30827 || v.month < 1 || v.month > 12 || v.day < 1 ||
        v.day > DaysInMonth(v.year, v.month) || v.hour > 23 || v.minute > 59 || v.second > 59 || v.millisecond > 999) {
        return std::nullopt;
    }
    int64_t days = DaysBeforeYear(v.year);
    for (int32_t m = 1; m < v.month; ++m) {
        days += DaysInMonth(v.year, m);
    }
    days += v.day - 1;
    const int64_t ms = ((days * 24 + v.hour) * 60 + v.minute) * 60000 + v.second * 1000 + v.millisecond;
    return static_cast<uint64_t>(ms) * 10000u;
}

std::vector<uint8_t> DateTimeBytes(const DateTime& v) {
    std::vector<uint8_t> out;
    for (uint16_t field : {v.year, v.month, v.dayOfWeek, v.day, v.hour, v.minute, v.second, v.millisecond}) {
        StoreU16(out, field);
    }
    return out;
}

std::optional<DateTime> DateTimeFromBytes(const std::vector<uint8_t>& b) {
    if (b.size() != 16) {
        return std::nullopt;
    }
    return DateTime{LoadU16(b, 0), LoadU16(b, 2),  LoadU16(b, 4),  LoadU16(b, 6),
                    LoadU16(b, 8), LoadU16(b, 10), LoadU16(b, 12), LoadU16(b, 14)};
}

std::string TreePathOf(const std::vector<std::string>& textsFromTop) {
    std::string path;
    for (const std::string& text : textsFromTop) {
        path += text;
        path += '\\';
    }
    return path;
}

std::vector<std::string> TreePathComponents(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

bool TreeTextMatches(std::string_view itemText, std::string_view component) {
    return CompareNamesNoCase(itemText, component) == 0;
}

int32_t WildcardCount(std::string_view pattern) {
    int32_t n = 0;
    for (char c : pattern) {
        n += c == '*' || c == '?' ? 1 : 0;
    }
    return n;
}

}  // namespace pv
