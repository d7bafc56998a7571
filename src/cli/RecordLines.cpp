#include "cli/RecordLines.h"

#include <cinttypes>
#include <cstdio>

namespace pv::cli {

void PrintFileRecords(const FileList& list) {
    for (const FileRecord& r : list.Records()) {
        std::printf("%s\t%" PRIu32 "\t%" PRIu32 "\t0x%" PRIx32 "\t%" PRIu64 "\t%" PRIu64 "\t%" PRIu64 "\n",
                    r.relativePath.c_str(), r.sizeHigh, r.sizeLow, r.attributes, r.creationTime, r.lastAccessTime,
                    r.lastWriteTime);
    }
}

}  // namespace pv::cli
