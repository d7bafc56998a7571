// Tool bars as the frame uses them: flat, labels under the images, tool tips from the string
// resource of each button's command (the text after the first line break), no divider, and
// placed by their rebar rather than by their parent.
#pragma once

#include <span>

#include "framework/WinInclude.h"

namespace pv {

struct ToolButtonSpec {
    UINT command = 0;                // 0: a separator
    const wchar_t* label = nullptr;  // text under the image
    int separatorWidth = 0;          // separators only; 0 for the standard width
    bool dropDown = false;           // an arrow beside the button sends TBN_DROPDOWN
};

struct ToolBarSpec {
    UINT id = 0;
    // Image strip; 0 for buttons that show their labels alone.
    UINT bitmapId = 0;
    // The same strip drawn at twice the size, used at 150 % and above; 0 for none.
    UINT bitmap2xId = 0;
    int imageWidth = 0;
    int imageHeight = 0;
    std::span<const ToolButtonSpec> buttons;
};

// Buttons take the images of the strip in order: the n-th non-separator button image n.
// Magenta (255, 0, 255) in a strip is transparent. Returns null on failure.
HWND CreateToolBar(HWND parent, const ToolBarSpec& layout);

// The button's rectangle in tool-bar client coordinates, by button index (separators count).
RECT ToolButtonRect(HWND toolBar, int index);

// The size the tool bar wants (width of all buttons, height of one row).
SIZE ToolBarIdealSize(HWND toolBar);

}  // namespace pv
