// The one process-wide lock shared by the image view's 100 % row copy and the thumbnail
// producer's fill: both move rows out of reader-owned pixel memory that the other side may
// be about to release.
#pragma once

#include <mutex>

namespace pv {

std::mutex& RowCopyLock();

}  // namespace pv
