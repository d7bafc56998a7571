#include "framework/ToolBar.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "base/win32/Handles.h"
#include "framework/CallbackGuard.h"
#include "framework/Dpi.h"
#include "framework/ResourceText.h"

namespace pv {

namespace {

constexpr UINT_PTR kToolBarSubclassId = 0x50765442;  // "PvTB"
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

HIMAGELIST LoadStrip(HWND parent, const ToolBarSpec& layout, int& width, int& height) {
    bool twice = layout.bitmap2xId != 0 && WantsDoubleArt(parent);
    UINT id = twice ? layout.bitmap2xId : layout.bitmapId;
    width = twice ? layout.imageWidth * 2 : layout.imageWidth;
    height = twice ? layout.imageHeight * 2 : layout.imageHeight;
    UniqueBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        return nullptr;
    }
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof info, &info);
    int count = width > 0 ? info.bmWidth / width : 0;
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
    if (list != nullptr) {
        ImageList_AddMasked(list, bitmap.get(), kMaskColour);
    }
    return list;
}

// Answers the tool tip's request on the tool bar itself, so the bar needs no help from its
// parent (the rebar would otherwise pass the request on to the frame).
LRESULT OnToolBarMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

LRESULT CALLBACK ToolBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    return GuardCallback([&] { return OnToolBarMessage(hwnd, msg, wp, lp); },
                         [&] { return DefSubclassProc(hwnd, msg, wp, lp); });
}

LRESULT OnToolBarMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->code == TTN_GETDISPINFOW) {
            static thread_local std::wstring tip;
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
            tip = CommandToolTip(static_cast<UINT>(hdr->idFrom));
            info->lpszText = tip.data();
            info->hinst = nullptr;
            // Tips of several lines (the Toggle button's) need a width to break at.
            SendMessageW(hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, ScalePx(hwnd, 320));
            return 0;
        }
    }
    if (msg == WM_NCDESTROY) {
        // The bar does not own its image list: it goes with the bar.
        UniqueImageList list(reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, TB_GETIMAGELIST, 0, 0)));
        SendMessageW(hwnd, TB_SETIMAGELIST, 0, 0);
        RemoveWindowSubclass(hwnd, &ToolBarProc, kToolBarSubclassId);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateToolBar(HWND parent, const ToolBarSpec& layout) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                  TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(layout.id)), GetModuleHandleW(nullptr),
                               nullptr);
    if (bar == nullptr) {
        return nullptr;
    }
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetWindowSubclass(bar, &ToolBarProc, kToolBarSubclassId, 0);

    int width = 0;
    int height = 0;
    HIMAGELIST list = layout.bitmapId != 0 ? LoadStrip(parent, layout, width, height) : nullptr;
    if (list != nullptr) {
        SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
        SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    } else {
        // Labels alone: no room kept for pictures.
        SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    }

    std::vector<TBBUTTON> buttons;
    buttons.reserve(layout.buttons.size());
    int image = 0;
    for (const ToolButtonSpec& b : layout.buttons) {
        TBBUTTON tb{};
        if (b.command == 0) {
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = b.separatorWidth > 0 ? ScalePx(parent, b.separatorWidth) : 0;
        } else {
            tb.idCommand = static_cast<int>(b.command);
            tb.fsState = TBSTATE_ENABLED;
            tb.fsStyle = static_cast<BYTE>(b.dropDown ? BTNS_DROPDOWN : BTNS_BUTTON);
            if (b.dropDown) {
                SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
            }
            tb.iBitmap = list != nullptr ? image++ : I_IMAGENONE;
            tb.iString = reinterpret_cast<INT_PTR>(b.label);
        }
        buttons.push_back(tb);
    }
    SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

RECT ToolButtonRect(HWND toolBar, int index) {
    RECT r{};
    SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

SIZE ToolBarIdealSize(HWND toolBar) {
    SIZE size{};
    int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    if (count > 0) {
        RECT last = ToolButtonRect(toolBar, count - 1);
        size.cx = last.right;
    }
    DWORD button = static_cast<DWORD>(SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0));
    size.cy = HIWORD(button);
    return size;
}

}  // namespace pv
