#include "app/win32/FrameBars.h"

#include <algorithm>

#include "base/ResourceIds.h"
#include "framework/Dpi.h"

namespace pv {

namespace {

constexpr ToolButtonSpec kToolBar1[] = {
        {ID_FILE_NEW, L"New"},
        {ID_FILE_OPEN, L"Open", 0, true},  // its arrow drops down the recent files
        {ID_FILE_FOLDERS, L"Folder"},
        {ID_FILE_SAVE, L"Save"},
        {},
        {ID_VIEW_ORIGINAL, L"Original"},
        {ID_VIEW_ZOOMIN, L"ZoomIn"},
        {ID_VIEW_ZOOMOUT, L"ZoomOut"},
        {},
        {ID_LIST_BACK, L"Back"},
        {ID_LIST_FORWARD, L"Forward"},
        {},
};

constexpr ToolButtonSpec kToolBar2[] = {
        {ID_VIEW_FITTOWINDOW, L"AutoSize"},
        {},
        {ID_LIST_OPEN, L"OpenList"},
        {ID_LIST_SAVE, L"SaveList"},
        {},
        {ID_LIST_SORT_DIALOG, L"SortList"},
        {},
        {ID_VIEW_THUMBNAILS, L"Thumbn."},
        {ID_VIEW_REPORT, L"Report"},
        {ID_LIST_BEGIN, L"Begin"},
        {ID_LIST_KEYWORDS, L"Keywords"},
        {ID_VIEW_TOGGLE, L"Toggle"},
        {ID_LIST_MANAGER, L"Manager"},
        {},
};

constexpr StatusPaneSpec kPanes[] = {
        {ID_PANE_MAIN, 0},     {ID_PANE_ICON, 24},    {ID_PANE_KEYWORD, 350}, {ID_PANE_BUTTON1, 58},
        {ID_PANE_BUTTON2, 58}, {ID_PANE_BUTTON3, 58}, {ID_PANE_BUTTON4, 58},  {ID_PANE_BUTTON5, 58},
};

constexpr const wchar_t* kTips[] = {
        L"To use to search on key words",
        L"To use to search on names",
        L"To use to search in files",
        L"To use to search in folders",
        L"To use to search in files and folders",
};

// Inside pane 226: the label, then the edit box.
constexpr int kLabelWidth = 172;
constexpr int kEditOffset = 176;

}  // namespace

std::span<const ToolButtonSpec> ToolBar1Buttons() {
    return kToolBar1;
}

std::span<const ToolButtonSpec> ToolBar2Buttons() {
    return kToolBar2;
}

ToolBarSpec ToolBar1Spec() {
    return {IDC_TOOLBAR1, IDB_TOOLBAR1, IDB_TOOLBAR1_2X, 28, 21, kToolBar1};
}

ToolBarSpec ToolBar2Spec() {
    // Bitmap 204 is an empty sliver: these buttons show their labels alone.
    return {IDC_TOOLBAR2, 0, 0, 0, 0, kToolBar2};
}

std::span<const StatusPaneSpec> FrameStatusPanes() {
    return kPanes;
}

std::span<const wchar_t* const> KeywordButtonTips() {
    return kTips;
}

bool KeywordBar::Create(StatusBar& statusBar) {
    HWND bar = statusBar.hwnd();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto font = static_cast<WPARAM>(SendMessageW(bar, WM_GETFONT, 0, 0));
    label_ = CreateWindowExW(0, L"STATIC", kKeywordLabel,
                             WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, bar,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_KEYWORD_LABEL)), instance, nullptr);
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                            0, 0, bar, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_KEYWORD_EDIT)), instance,
                            nullptr);
    if (label_ == nullptr || edit_ == nullptr) {
        return false;
    }
    // Room for the 21-pixel button pictures.
    statusBar.SetMinHeight(25);
    SendMessageW(label_, WM_SETFONT, font, FALSE);
    SendMessageW(edit_, WM_SETFONT, font, FALSE);
    statusBar.HostInPane(label_, ID_PANE_KEYWORD, 0, kLabelWidth);
    statusBar.HostInPane(edit_, ID_PANE_KEYWORD, kEditOffset, 0);

    bool twice = WantsDoubleArt(bar);
    for (int k = 0; k < 5; ++k) {
        auto button = std::make_unique<ImageButton>();
        UINT id = static_cast<UINT>(IDC_KEYWORD_BUTTON_FIRST + k);
        UINT strip = static_cast<UINT>((twice ? IDB_KEYWORD_2X_FIRST : IDB_KEYWORD_FIRST) + k);
        int scale = twice ? 2 : 1;
        if (!button->CreateButton(bar, id, strip, 54 * scale, 21 * scale, kTips[k])) {
            return false;
        }
        statusBar.HostInPane(button->hwnd(), ID_PANE_BUTTON1 + k, 2, 54);
        buttons_[static_cast<size_t>(k)] = std::move(button);
    }
    return true;
}

void LayOutFrame(HWND frame, HWND rebar, HWND statusBar, HWND body) {
    RECT client{};
    GetClientRect(frame, &client);
    SendMessageW(statusBar, WM_SIZE, 0, 0);
    SetWindowPos(rebar, nullptr, 0, 0, client.right, 0, SWP_NOZORDER);
    int top = 0;
    if (IsWindowVisible(rebar)) {
        RECT rb{};
        GetWindowRect(rebar, &rb);
        top = rb.bottom - rb.top;
    }
    int bottom = client.bottom;
    if (IsWindowVisible(statusBar)) {
        RECT sb{};
        GetWindowRect(statusBar, &sb);
        bottom -= sb.bottom - sb.top;
    }
    SetWindowPos(body, nullptr, 0, top, client.right, std::max(0, bottom - top), SWP_NOZORDER);
}

}  // namespace pv
