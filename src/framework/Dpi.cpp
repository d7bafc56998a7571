#include "framework/Dpi.h"

#include "base/win32/Handles.h"

namespace pv {

UINT DpiOf(HWND hwnd) {
    UINT dpi = hwnd != nullptr ? GetDpiForWindow(hwnd) : 0;
    if (dpi == 0) {
        WindowDc screen(nullptr);
        dpi = screen ? static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSX)) : 0;
    }
    return dpi == 0 ? 96 : dpi;
}

int ScalePx(HWND hwnd, int px) {
    return MulDiv(px, static_cast<int>(DpiOf(hwnd)), 96);
}

bool WantsDoubleArt(HWND hwnd) {
    return DpiOf(hwnd) >= 144;
}

}  // namespace pv
