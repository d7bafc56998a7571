// What the search dialogs offer and how their choices become criteria: the size and sort
// lists, the date pickers' values, the folder tree's paths, and the dialogs' message texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

struct SizeChoice {
    std::string_view text;
    uint32_t bytes;
};

inline constexpr size_t kSizeChoiceCount = 19;
extern const std::array<SizeChoice, kSizeChoiceCount> kSizeChoices;

// The index of the list entry whose text equals `text` exactly (case counts), or -1: a
// stored text that is in no list selects nothing.
int32_t SizeChoiceIndex(std::string_view text);
int32_t SortChoiceIndex(std::string_view text);

// The bounds a size text stands for. A text in no list gives no bound: 0 below, "Any" above.
uint32_t MinSizeBytes(std::string_view text);
uint32_t MaxSizeBytes(std::string_view text);

// A date picker's value, field for field as the platform's SYSTEMTIME (and the 16 bytes of
// DateFrom and DateTo).
struct DateTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t millisecond = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The file time (100-ns units since 1601-01-01) of a picker's value taken as it stands,
// without any time-zone conversion; nothing for a value the platform would refuse (month,
// day, time of day out of range, year before 1601 or after 30827). The day of the week is
// not looked at.
std::optional<uint64_t> FileTimeOf(const DateTime& value);

std::vector<uint8_t> DateTimeBytes(const DateTime& value);
std::optional<DateTime> DateTimeFromBytes(const std::vector<uint8_t>& bytes);

// The folder tree's path of an item: the texts from the top level down, each followed by
// "\" (C:, Photos, 2003 give C:\Photos\2003\).
std::string TreePathOf(const std::vector<std::string>& textsFromTop);
// A stored root split at each "\" (empty parts dropped), for selecting it again.
std::vector<std::string> TreePathComponents(std::string_view path);
// Whether a tree item's text names a component of a stored path. Without regard to case:
// the path is stored with its drive letter in lower case, the tree shows it in upper case.
bool TreeTextMatches(std::string_view itemText, std::string_view component);

// How many "*" and "?" the substring holds: each earns one warning.
int32_t WildcardCount(std::string_view pattern);

// The dialogs' messages, blanks included.
inline constexpr std::string_view kSelectExtensionText = "   Please, Select one or more extension(s)!   ";
inline constexpr std::string_view kWildcardText = "Wildcards not allowed! Only substring, please.";
inline constexpr std::string_view kNoFolderText = "  Not Selected Folder(s)  ";
inline constexpr std::string_view kNothingFoundText = " No Images with selected extensions!";
inline constexpr std::string_view kBrowseNothingFoundText = "No Images";

}  // namespace pv
