#include "app/win32/MainFrame.h"

#include "app/win32/Resources.h"
#include "base/win32/Wide.h"

namespace pv {

namespace {

std::wstring LoadResourceText(UINT id) {
    const wchar_t* text = nullptr;
    int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring(L"Pictavo");
}

}  // namespace

bool CMainFrame::CreateFrame(const StoredRect& rect) {
    WindowCreateArgs args;
    args.className = L"PictavoMainFrame";
    args.title = LoadResourceText(IDR_MAINFRAME);
    args.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    args.exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    args.rect = {rect.left, rect.top, rect.right, rect.bottom};
    args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    args.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return Create(args);
}

bool CMainFrame::PreTranslateMessage(MSG* /*msg*/) {
    return false;
}

bool CMainFrame::OnIdle() {
    return false;
}

void CMainFrame::OpenCommandLineFile(const std::string& /*fullPath*/) {}

bool CMainFrame::BrowseFolderArgument(const std::string& /*folder*/) {
    return true;
}

void CMainFrame::OnClose() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    WriteFrameCloseSettings({r.left, r.top, r.right, r.bottom}, viewMode_, fitToWindow_);
    DestroyWindow(hwnd());
}

LRESULT CMainFrame::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
        // A top-level frame's end is its thread's end: the loop quits with code 1.
        PostQuitMessage(1);
        return 0;
    default: return Window::OnMessage(msg, wp, lp);
    }
}

}  // namespace pv
