#include "app/win32/MruList.h"

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/CallbackGuard.h"

namespace pv {

namespace {

constexpr UINT_PTR kSubclassId = 0x50764D52;  // "PvMR"

}  // namespace

CMruList::~CMruList() {
    if (list_ != nullptr) {
        RemoveWindowSubclass(list_, &CMruList::Proc, kSubclassId);
        DestroyWindow(list_);
    }
}

bool CMruList::Create(HWND frame) {
    frame_ = frame;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW, L"LISTBOX", nullptr,
                            WS_POPUP | WS_THICKFRAME | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, size_.cx,
                            size_.cy, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (list_ == nullptr) {
        return false;
    }
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(list_, &CMruList::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void CMruList::Show(HWND frame, POINT at, const std::vector<std::string>& entries) {
    if (list_ == nullptr && !Create(frame)) {
        return;
    }
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
    SendMessageW(list_, LB_SETCURSEL, 0, 0);
    SendMessageW(list_, LB_SETTOPINDEX, 0, 0);
    SetWindowPos(list_, HWND_TOP, at.x, at.y, size_.cx, size_.cy, SWP_SHOWWINDOW);
    SetFocus(list_);
}

void CMruList::Hide() {
    if (IsWindowVisible(list_) == FALSE) {
        return;
    }
    RECT r{};
    GetWindowRect(list_, &r);
    size_ = {r.right - r.left, r.bottom - r.top};
    ShowWindow(list_, SW_HIDE);
}

void CMruList::Choose() {
    const auto line = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    if (line < 0) {
        return;
    }
    SetFocus(frame_);  // hides the list
    PostMessageW(frame_, WM_COMMAND, static_cast<WPARAM>(ID_FILE_MRU_FIRST + line), 0);
}

LRESULT CALLBACK CMruList::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    return GuardCallback([&] { return reinterpret_cast<CMruList*>(self)->OnMessage(msg, wp, lp); },
                         [&] { return DefSubclassProc(hwnd, msg, wp, lp); });
}

LRESULT CMruList::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wp == VK_RETURN) {
            Choose();
            return 0;
        }
        if (wp == VK_ESCAPE) {
            SetFocus(frame_);
            return 0;
        }
        break;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_LBUTTONDBLCLK: {
        const LRESULT r = DefSubclassProc(list_, msg, wp, lp);
        Choose();
        return r;
    }
    case WM_KILLFOCUS: Hide(); break;
    case WM_NCHITTEST: {
        // Only the bottom-right edges resize: the list hangs from its button.
        const LRESULT hit = DefSubclassProc(list_, msg, wp, lp);
        switch (hit) {
        case HTLEFT:
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: return HTBORDER;
        default: return hit;
        }
    }
    default: break;
    }
    return DefSubclassProc(list_, msg, wp, lp);
}

}  // namespace pv
