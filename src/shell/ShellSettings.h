// The shell integration's values under the program's settings key.
#pragma once

#include <array>
#include <cstdint>

#include "search/ExtensionTable.h"

namespace pv {

// AssociationList: the ticks of the association dialog (none when missing or misshapen).
std::array<bool, kExtensionCount> ReadAssociationList();
void WriteAssociationList(const std::array<bool, kExtensionCount>& ticks);

// FileManager: 0 Explorer, 1 Total Commander, 2 FAR Manager (0 when missing).
int32_t ReadFileManager();
void WriteFileManager(int32_t choice);

}  // namespace pv
