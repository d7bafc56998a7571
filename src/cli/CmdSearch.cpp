// pictavo-cli search ROOT [--ext JPG,GIF,...] [--no-subfolders] [--title TEXT]
//                         [--size MIN MAX] [--date FROM TO] [--sort "SORT TEXT"]
// Runs the search as the dialog does and prints ResultList, one record a line, then the
// last status text. pictavo-cli folder FILE prints the folder file list of FILE.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/Text.h"
#include "cli/Cli.h"
#include "cli/RecordLines.h"
#include "platform/FileSystem.h"
#include "search/ExtensionTable.h"
#include "search/FolderWalk.h"
#include "search/Ordering.h"
#include "search/SharedLists.h"

namespace pv::cli {

namespace {

constexpr const char* kSearchUsage =
        "usage: pictavo-cli search ROOT [--ext JPG,GIF,...] [--no-subfolders] [--title TEXT]\n"
        "                          [--size MIN MAX] [--date \"YYYY-MM-DD HH:MM:SS\" \"YYYY-MM-DD HH:MM:SS\"]\n"
        "                          [--sort \"SORT TEXT\"]\n";

int SearchUsage() {
    std::fputs(kSearchUsage, stderr);
    return kExitUsage;
}

bool ParseU32(const std::string& text, uint32_t& out) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > UINT32_MAX) {
        return false;
    }
    out = static_cast<uint32_t>(v);
    return true;
}

int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;  // days since 1970-01-01
}

bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// "YYYY-MM-DD HH:MM:SS" to a file time, taken as it stands (no time-zone change), as the
// dialog converts its pickers' values.
bool ParseDate(const std::string& text, uint64_t& out) {
    int y = 0;
    int mo = 0;
    int d = 0;
    int h = 0;
    int mi = 0;
    int s = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        static_cast<size_t>(used) != text.size()) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1601 || mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0) {
        return false;
    }
    const int monthDays = kDays[mo - 1] + (mo == 2 && IsLeap(y) ? 1 : 0);
    if (d > monthDays) {
        return false;
    }
    const int64_t days = DaysFromCivil(y, mo, d) - DaysFromCivil(1601, 1, 1);
    const int64_t seconds = days * 86400 + h * 3600 + mi * 60 + s;
    out = static_cast<uint64_t>(seconds) * 10000000ULL;
    return true;
}

std::string ProgramRoot(const std::string& hostRoot) {
    std::string root = ProgramPathFromHost(hostRoot);
    if (!root.empty() && root.back() != '\\') {
        root += '\\';
    }
    return root;
}

}  // namespace

bool CheckExtensionRows(const std::string& list, std::array<bool, kExtensionCount>& checked) {
    checked.fill(false);
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        const std::string_view item = std::string_view(list).substr(start, comma - start);
        bool known = false;
        for (size_t row = 0; row < kExtensionCount; ++row) {
            if (EqualsNoCase(item, ExtensionTable[row].extension)) {
                checked[row] = true;
                known = true;
            }
        }
        if (!known) {
            std::fprintf(stderr, "unknown extension: %.*s\n", static_cast<int>(item.size()), item.data());
            return false;
        }
        start = comma + 1;
    }
    return true;
}

int RunSearchCommand(const Args& args) {
    if (args.empty()) {
        return SearchUsage();
    }
    SearchCriteria criteria;
    criteria.root = ProgramRoot(args[0]);
    std::string extensions = "JPG,JPEG,JFIF";
    std::string sortText = "Name";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const size_t left = args.size() - i - 1;
        if (a == "--ext" && left >= 1) {
            extensions = args[++i];
        } else if (a == "--no-subfolders") {
            criteria.checkInclude = 0;
        } else if (a == "--title" && left >= 1) {
            criteria.checkTitle = 1;
            criteria.titlePattern = args[++i];
            if (criteria.titlePattern.size() > kMaxTitlePattern) {
                std::fputs("the title text holds at most 127 characters\n", stderr);
                return kExitUsage;
            }
        } else if (a == "--size" && left >= 2) {
            criteria.checkSize = 1;
            if (!ParseU32(args[i + 1], criteria.minSize) || !ParseU32(args[i + 2], criteria.maxSize)) {
                return SearchUsage();
            }
            i += 2;
        } else if (a == "--date" && left >= 2) {
            criteria.checkDate = 1;
            if (!ParseDate(args[i + 1], criteria.dateFrom) || !ParseDate(args[i + 2], criteria.dateTo)) {
                return SearchUsage();
            }
            i += 2;
        } else if (a == "--sort" && left >= 1) {
            sortText = args[++i];
        } else {
            return SearchUsage();
        }
    }
    // The tool is one process with one "frame": the lists are its own.
    SharedLists lists;
    {
        SharedLists::Access state = lists.Lock();
        if (!CheckExtensionRows(extensions, state->ExtensionChecked)) {
            return kExitUsage;
        }
        criteria.extensions = CheckedExtensions(state->ExtensionChecked);
        state->ShownList = ShownListId::Result;
    }
    const SearchResult result = pv::RunSearch(lists, criteria);
    if (result.outcome == SearchOutcome::RootHasNoEntries) {
        std::puts("root has no entries");
        return kExitFailed;
    }
    SharedLists::Access state = lists.Lock();
    if (!state->ResultList.Empty()) {
        SortResultByText(*state, sortText);
    }
    PrintFileRecords(state->ResultList);
    std::printf("%s\n", result.lastStatus.c_str());
    return kExitOk;
}

}  // namespace pv::cli
