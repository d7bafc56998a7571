// The values the two search dialogs keep under the program's settings key: every choice the
// user made, restored the next time a dialog opens. Readers keep a member as it is when its
// value is missing or of the wrong type or size; writers are silent on failure.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "search/ExtensionTable.h"
#include "search/SearchChoices.h"

namespace pv {

// The dialogs' members, with the values a new dialog starts from.
struct SearchDialogValues {
    int32_t checkInclude = 1;
    int32_t checkTitle = 0;
    int32_t checkSize = 0;
    int32_t checkDate = 0;
    int32_t checkRunAuto = 0;
    std::string titlePattern = "*";
    std::string sortedString = "Name";
    std::string minSize = "0";
    std::string maxSize = "Any";
    std::string treeFullPath;
    std::optional<DateTime> dateFrom;  // nothing: the picker keeps its own value
    std::optional<DateTime> dateTo;
};

// Which dialog reads or writes: the "Disks and Folders" tree dialog keeps CheckTitle and
// TreeFullPath, the browse dialog keeps CheckRunAuto instead.
enum class SearchDialogKind {
    Tree,
    Browse,
};

// The window rectangle of the tree dialog (FolderRect), screen coordinates.
struct DialogRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 602;
    int32_t bottom = 409;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

using ExtensionChecks = std::array<bool, kExtensionCount>;

// ExtensList: a row is checked when its stored flag is exactly 1. Without a 144-byte binary
// value, `current` is kept.
ExtensionChecks ReadExtensionChecks(const ExtensionChecks& current);
void WriteExtensionChecks(const ExtensionChecks& checks);

// The values of `kind`, each into its member when present and well-formed.
void ReadSearchValues(SearchDialogValues& values, SearchDialogKind kind);
// The values `kind` writes on OK, the two dates as the pickers hold them; neither
// TreeFullPath nor FolderRect (each has its own moment).
void WriteSearchValues(const SearchDialogValues& values,
                       SearchDialogKind kind,
                       const DateTime& from,
                       const DateTime& to);
void WriteTreeFullPath(const std::string& path);

// FolderRect, or nothing when it is missing or not a 16-byte binary value.
std::optional<DialogRect> ReadFolderRect();
void WriteFolderRect(const DialogRect& rect);

}  // namespace pv
