// What one search looks for, as the search dialogs hand it over once validated.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "search/ExtensionTable.h"

namespace pv {

inline constexpr uint32_t kAnySize = 4000000000u;  // the size lists' "Any"
inline constexpr size_t kMaxTitlePattern = 127;

struct SearchCriteria {
    std::string root;                     // the folder to search, ending in "\"
    std::vector<std::string> extensions;  // upper case, no dot, one per checked row in row order
    int32_t checkInclude = 1;             // descend into subfolders
    int32_t checkTitle = 0;               // substring filter on
    int32_t checkSize = 0;
    int32_t checkDate = 0;
    std::string titlePattern;  // a plain substring; "*" and "?" are ordinary characters
    uint32_t minSize = 0;      // inclusive bounds on the size's low half
    uint32_t maxSize = kAnySize;
    uint64_t dateFrom = 0;  // inclusive bounds on the last-write time (file times)
    uint64_t dateTo = 0;
    // Whether the system shows file-name extensions, which decides what a name's display
    // title (the text the substring is looked for in) carries.
    bool titlesShowExtensions = true;
};

// The extension texts of ExtensionTable's rows that `checked` marks, in row order.
std::vector<std::string> CheckedExtensions(const std::array<bool, kExtensionCount>& checked);

}  // namespace pv
