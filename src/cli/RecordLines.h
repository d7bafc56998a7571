// The record lines of pictavo-cli search and folder: relativePath, sizeHigh, sizeLow,
// attributes (0x hexadecimal) and the creation, last-access and last-write file times,
// separated by tabs.
#pragma once

#include "search/FileList.h"

namespace pv::cli {

void PrintFileRecords(const FileList& list);

}  // namespace pv::cli
