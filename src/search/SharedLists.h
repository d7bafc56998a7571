// The file lists and list state every frame shares. They are process-wide and unlocked on
// purpose: frames run their searches one user action at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/FileList.h"

namespace pv {

extern FileList ResultList;
extern FileList KeywordMatchList;
extern FileList AccumulatorList;
// Records at the front of AccumulatorList that only preview the word clicked last.
extern int32_t AccumulatorPendingCount;

inline constexpr int32_t kShowResultList = 0;
inline constexpr int32_t kShowKeywordMatchList = 1;
inline constexpr int32_t kShowAccumulatorList = 2;
// Which list the views show and the file commands act on.
extern int32_t ShownList;

// Entry 0 is the root of every relativePath in the lists.
extern std::vector<std::string> RootFolders;

// The sort key last applied, 0 to 10 (10 unsorted).
extern int32_t SortCode;

// The list ShownList designates (ResultList for any number it does not know).
FileList& ShownFileList();

}  // namespace pv
