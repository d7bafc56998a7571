#include "imaging/RowCopyLock.h"

namespace pv {

std::mutex& RowCopyLock() {
    // Constructed on first use, before any frame can copy rows, and never destroyed while
    // a thread could still take it.
    static std::mutex lock;
    return lock;
}

}  // namespace pv
