// Copying and deleting the selected files: where each copy goes, and the texts the two
// commands show.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

struct CopyPair {
    std::string source;
    std::string destination;
};

// One pair per file, in their order, into `destFolder` (ending in "\"). A copy whose base
// name (its name without extension) is taken, by an entry of `takenNames` or by a copy made
// earlier in the batch, gets the first free "<base>_%06d" instead: photo.jpg beside
// photo.gif becomes photo_000001.jpg. Names are compared without regard to case, as the
// file system does, so no existing file is ever overwritten.
std::vector<CopyPair> PlanCopy(std::span<const std::string> sourcePaths,
                               std::string_view destFolder,
                               std::span<const std::string> takenNames);

// The chosen folder with one trailing "\" (a drive root keeps the one it has).
std::string DestinationFolder(std::string_view chosen);

// "Copy 3 files to folder: D:\Backup\"
std::string CopySummary(int32_t count, std::string_view destFolder);
// "   Delete  3  files?   "
std::string DeleteQuestion(int32_t count);

}  // namespace pv
