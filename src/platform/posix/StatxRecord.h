// Shared by the native folder listing and folder scan: one entry's details from statx.
#pragma once

#include <sys/stat.h>

#include "platform/FileSystem.h"

namespace pv {

// Attributes, times and size halves from a statx answer.
void FillFindRecordFromStatx(FindRecord& record, const struct statx& sx, bool isLink);

// Looks at `name` inside the open folder `dirFd` without following a link, then at the
// link's target; fills everything but the names. False when the entry has vanished.
bool StatFindRecord(int dirFd, const char* name, FindRecord& record);

}  // namespace pv
