#include "framework/StatusBar.h"

#include "framework/CallbackGuard.h"
#include "framework/Dpi.h"

namespace pv {

namespace {
constexpr UINT_PTR kStatusSubclassId = 0x50765342;  // "PvSB"
}

StatusBar::~StatusBar() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &StatusBar::Proc, kStatusSubclassId);
    }
}

bool StatusBar::Create(HWND parent, UINT id, std::span<const StatusPaneSpec> panes) {
    panes_.assign(panes.begin(), panes.end());
    hwnd_ = CreateWindowExW(
            0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, 0,
            0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return false;
    }
    SetWindowSubclass(hwnd_, &StatusBar::Proc, kStatusSubclassId, reinterpret_cast<DWORD_PTR>(this));
    UpdateLayout();
    return true;
}

int StatusBar::PaneIndex(int paneId) const {
    for (size_t i = 0; i < panes_.size(); ++i) {
        if (panes_[i].id == paneId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<int> StatusBar::PaneIds() const {
    std::vector<int> ids;
    for (const StatusPaneSpec& p : panes_) {
        ids.push_back(p.id);
    }
    return ids;
}

bool StatusBar::SetPaneText(int paneId, const std::wstring& text) {
    int index = PaneIndex(paneId);
    if (index < 0) {
        return false;
    }
    return SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::wstring StatusBar::PaneText(int paneId) const {
    int index = PaneIndex(paneId);
    if (index < 0) {
        return {};
    }
    auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

bool StatusBar::SetPaneIcon(int paneId, HICON icon) {
    int index = PaneIndex(paneId);
    return index >= 0 &&
           SendMessageW(hwnd_, SB_SETICON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(icon)) != 0;
}

RECT StatusBar::PaneRect(int paneId) const {
    RECT r{};
    int index = PaneIndex(paneId);
    if (index >= 0) {
        SendMessageW(hwnd_, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    }
    return r;
}

void StatusBar::HostInPane(HWND child, int paneId, int offset, int width) {
    hosted_.push_back({child, paneId, offset, width});
    UpdateLayout();
}

void StatusBar::SetMinHeight(int px) {
    SendMessageW(hwnd_, SB_SETMINHEIGHT, static_cast<WPARAM>(ScalePx(hwnd_, px)), 0);
    SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

void StatusBar::UpdateLayout() {
    if (hwnd_ == nullptr || panes_.empty()) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Leave room for the size grip at the right end.
    int right = client.right - GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> edges(panes_.size());
    int x = right;
    for (size_t i = panes_.size(); i-- > 1;) {
        edges[i] = x;
        x -= ScalePx(hwnd_, panes_[i].width);
    }
    edges[0] = x > 0 ? x : 0;
    if (edges.size() > 1) {
        edges.back() = -1;  // the last pane runs into the grip
    }
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));

    for (const Hosted& h : hosted_) {
        RECT pane = PaneRect(h.paneId);
        int left = pane.left + ScalePx(hwnd_, h.offset);
        int w = h.width > 0 ? ScalePx(hwnd_, h.width) : pane.right - left - 2;
        SetWindowPos(h.child, nullptr, left, pane.top + 1, w > 0 ? w : 0, pane.bottom - pane.top - 2,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The panes moved under the hosted controls: without a full repaint the bar keeps
    // pictures of them where they stood before (seen after maximising).
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK StatusBar::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    return GuardCallback([&] { return reinterpret_cast<StatusBar*>(data)->OnSubclassMessage(hwnd, msg, wp, lp); },
                         [&] { return DefSubclassProc(hwnd, msg, wp, lp); });
}

LRESULT StatusBar::OnSubclassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: {
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        UpdateLayout();
        return r;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        // Hosted controls talk to the frame, which owns what they do.
        if (lp != 0) {
            return SendMessageW(GetParent(hwnd), msg, wp, lp);
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &StatusBar::Proc, kStatusSubclassId);
        hwnd_ = nullptr;
        break;
    default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace pv
