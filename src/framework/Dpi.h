// Scaling of layout pixels to a window's display: 96 dpi is 100 %.
#pragma once

#include "framework/WinInclude.h"

namespace pv {

// The window's dots per inch (96 when it cannot be asked).
UINT DpiOf(HWND hwnd);
// px at 100 %, scaled to the window's display.
int ScalePx(HWND hwnd, int px);
// Whether the doubled pictures look better than the plain ones here (150 % and up).
bool WantsDoubleArt(HWND hwnd);

}  // namespace pv
