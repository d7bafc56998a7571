#include "view/win32/MciWindow.h"

#include <vfw.h>

namespace pv {

namespace {

// Show the medium's name, its position and its mode; nothing else, so the window keeps its
// play bar and menu button and sizes itself to the medium.
constexpr DWORD kMediaStyle = 0x70;
static_assert(kMediaStyle == (MCIWNDF_SHOWNAME | MCIWNDF_SHOWPOS | MCIWNDF_SHOWMODE));

}  // namespace

bool MciWindow::Exists() const {
    return window_ != nullptr && IsWindow(window_) != FALSE;
}

void MciWindow::Close() {
    if (Exists()) {
        SendMessageW(window_, WM_CLOSE, 0, 0);
    }
    window_ = nullptr;
    reuse_ = false;
}

void MciWindow::StopAndCloseMedium() {
    SendMessageW(window_, MCI_STOP, 0, 0);
    SendMessageW(window_, MCI_CLOSE, 0, 0);
    reuse_ = true;
}

// A medium the platform cannot play still counts as opened: the window shows its own error.
void MciWindow::Play(const std::string& path) {
    if (reuse_ && Exists()) {
        SendMessageA(window_, MCIWNDM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str()));
    } else {
        // Named a child outright: some MCI window classes otherwise make an owned popup that
        // floats beside the view instead of playing in its pane.
        window_ = MCIWndCreateA(view_.hwnd(), GetModuleHandleW(nullptr), kMediaStyle | WS_CHILD, path.c_str());
    }
    if (window_ != nullptr) {
        SendMessageW(window_, MCI_PLAY, 0, 0);
    }
}

}  // namespace pv
