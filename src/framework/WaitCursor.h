// The hourglass while a command works on the user-interface thread; the previous cursor
// comes back however the command ends.
#pragma once

#include "framework/WinInclude.h"

namespace pv {

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}

    ~WaitCursor() { SetCursor(previous_); }

    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace pv
