// The header every top-down, uncompressed device-independent bitmap of the program is
// drawn, read or made through.
#pragma once

#include <cstdint>

#include "base/win32/WinInclude.h"

namespace pv {

// A picture `width` x `height` whose first row is the top one.
inline BITMAPINFO TopDownBitmapInfo(int32_t width, int32_t height, uint16_t bitCount = 24) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace pv
