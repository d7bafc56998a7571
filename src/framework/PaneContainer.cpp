#include "framework/PaneContainer.h"

#include "base/win32/Handles.h"
#include "framework/Dpi.h"

namespace pv {

bool PaneContainer::CreatePane(HWND parent, UINT id, const std::wstring& title, UINT closeCommand) {
    title_ = title;
    closeCommand_ = closeCommand;
    WindowCreateArgs args;
    args.className = L"PvPaneContainer";
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    args.rect = {0, 0, 100, 100};
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    return Create(args);
}

void PaneContainer::SetClient(HWND client) {
    client_ = client;
    if (client_ != nullptr && GetParent(client_) != hwnd()) {
        SetParent(client_, hwnd());
    }
    Layout();
}

void PaneContainer::SetTitle(const std::wstring& title) {
    title_ = title;
    RECT strip{0, 0, 0, TitleHeight()};
    GetClientRect(hwnd(), &strip);
    strip.bottom = TitleHeight();
    InvalidateRect(hwnd(), &strip, TRUE);
}

int PaneContainer::TitleHeight() const {
    return ScalePx(hwnd(), 22);
}

RECT PaneContainer::CloseRect() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    int h = TitleHeight();
    int size = h - ScalePx(hwnd(), 6);
    int right = client.right - ScalePx(hwnd(), 3);
    int top = (h - size) / 2;
    return {right - size, top, right, top + size};
}

void PaneContainer::Layout() {
    if (client_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    int h = TitleHeight();
    SetWindowPos(client_, nullptr, 0, h, client.right, client.bottom > h ? client.bottom - h : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaneContainer::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT strip{0, 0, client.right, TitleHeight()};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    RECT line{0, strip.bottom - 1, client.right, strip.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));

    auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SelectGuard selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = strip;
    text.left += ScalePx(hwnd(), 6);
    text.right = CloseRect().left - ScalePx(hwnd(), 4);
    DrawTextW(dc, title_.c_str(), static_cast<int>(title_.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    // A flat cross, pushed in while pressed.
    RECT close = CloseRect();
    if (closePressed_) {
        DrawEdge(dc, &close, BDR_SUNKENOUTER, BF_RECT);
    }
    int inset = ScalePx(hwnd(), 4);
    UniquePen pen(CreatePen(PS_SOLID, ScalePx(hwnd(), 1) + 1, GetSysColor(COLOR_BTNTEXT)));
    SelectGuard selectPen(dc, pen.get());
    MoveToEx(dc, close.left + inset, close.top + inset, nullptr);
    LineTo(dc, close.right - inset, close.bottom - inset);
    MoveToEx(dc, close.right - inset - 1, close.top + inset, nullptr);
    LineTo(dc, close.left + inset - 1, close.bottom - inset);
}

LRESULT PaneContainer::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        Layout();
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PaintDc dc(hwnd());
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_LBUTTONDOWN: {
        RECT close = CloseRect();
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (PtInRect(&close, pt)) {
            closePressed_ = true;
            SetCapture(hwnd());
            InvalidateRect(hwnd(), &close, TRUE);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (closePressed_) {
            closePressed_ = false;
            ReleaseCapture();
            RECT close = CloseRect();
            InvalidateRect(hwnd(), &close, TRUE);
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (PtInRect(&close, pt)) {
                SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(closeCommand_, 0),
                             reinterpret_cast<LPARAM>(hwnd()));
            }
        }
        return 0;
    case WM_SETFOCUS:
        if (client_ != nullptr) {
            SetFocus(client_);
        }
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY: return SendMessageW(GetParent(hwnd()), msg, wp, lp);
    default: break;
    }
    return Window::OnMessage(msg, wp, lp);
}

}  // namespace pv
