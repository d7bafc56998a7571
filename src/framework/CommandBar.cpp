#include "framework/CommandBar.h"

#include <cwctype>
#include <vector>

#include "framework/CallbackGuard.h"
#include "framework/Dpi.h"

namespace pv {

namespace {

// Button ids of the bar's own tool bar; they never leave the bar.
constexpr int kFirstButtonId = 0xFE00;

// The bar whose popup is open on this thread (menus are modal per thread).
thread_local CommandBar* tActiveBar = nullptr;
thread_local HHOOK tHook = nullptr;

wchar_t MnemonicOf(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'&') {
            if (text[i + 1] != L'&') {
                return static_cast<wchar_t>(std::towupper(text[i + 1]));
            }
            ++i;
        }
    }
    return 0;
}

}  // namespace

bool CommandBar::CreateCommandBar(HWND parent, UINT id, UINT menuId, HWND commandTarget) {
    target_ = commandTarget;
    menu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    if (!menu_) {
        return false;
    }
    WindowCreateArgs args;
    args.className = L"PvCommandBar";
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    args.rect = {0, 0, 100, 22};
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    if (!Create(args)) {
        return false;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TRANSPARENT | CCS_NODIVIDER |
                  CCS_NORESIZE | CCS_NOPARENTALIGN;
    toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (toolBar_ == nullptr) {
        return false;
    }
    SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    int count = GetMenuItemCount(menu_.get());
    std::vector<std::wstring> texts(static_cast<size_t>(count > 0 ? count : 0));
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu_.get(), static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        texts[static_cast<size_t>(i)] = text;
        TBBUTTON b{};
        b.iBitmap = I_IMAGENONE;
        b.idCommand = kFirstButtonId + i;
        b.fsState = TBSTATE_ENABLED;
        // A drop-down button without drawn arrows opens on the press, as a menu bar does.
        b.fsStyle = BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        b.iString = reinterpret_cast<INT_PTR>(texts[static_cast<size_t>(i)].c_str());
        buttons.push_back(b);
    }
    SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);
    Layout();
    return true;
}

int CommandBar::ButtonCount() const {
    return static_cast<int>(SendMessageW(toolBar_, TB_BUTTONCOUNT, 0, 0));
}

std::wstring CommandBar::ButtonText(int index) const {
    wchar_t text[128] = {};
    SendMessageW(toolBar_, TB_GETBUTTONTEXTW, static_cast<WPARAM>(kFirstButtonId + index),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

int CommandBar::MnemonicIndex(wchar_t ch) const {
    wchar_t wanted = static_cast<wchar_t>(std::towupper(ch));
    for (int i = 0; i < ButtonCount(); ++i) {
        if (wanted != 0 && MnemonicOf(ButtonText(i)) == wanted) {
            return i;
        }
    }
    return -1;
}

void CommandBar::PlaceControl(HWND control, int width, int height) {
    control_ = control;
    controlWidth_ = width;
    controlHeight_ = height;
    if (GetParent(control) != hwnd()) {
        SetParent(control, hwnd());
    }
    Layout();
}

SIZE CommandBar::IdealSize() const {
    SIZE size{};
    int count = ButtonCount();
    if (count > 0) {
        RECT last{};
        SendMessageW(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
        size.cx = last.right;
        size.cy = last.bottom;
    }
    if (control_ != nullptr) {
        size.cx += ScalePx(hwnd(), 12 + controlWidth_);
        int h = ScalePx(hwnd(), controlHeight_) + 2;
        size.cy = size.cy > h ? size.cy : h;
    }
    return size;
}

void CommandBar::Layout() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    SIZE ideal = IdealSize();
    int barWidth = ideal.cx;
    if (control_ != nullptr) {
        barWidth -= ScalePx(hwnd(), 12 + controlWidth_);
    }
    DWORD button = static_cast<DWORD>(SendMessageW(toolBar_, TB_GETBUTTONSIZE, 0, 0));
    int buttonHeight = HIWORD(button);
    SetWindowPos(toolBar_, nullptr, 0, (client.bottom - buttonHeight) / 2, barWidth, buttonHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (control_ != nullptr) {
        int h = ScalePx(hwnd(), controlHeight_);
        SetWindowPos(control_, nullptr, barWidth + ScalePx(hwnd(), 12), (client.bottom - h) / 2,
                     ScalePx(hwnd(), controlWidth_), h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CommandBar::SetHot(int index) {
    hot_ = index;
    SendMessageW(toolBar_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
}

void CommandBar::EnterKeyboardMode() {
    if (ButtonCount() == 0) {
        return;
    }
    keyboardMode_ = true;
    SendMessageW(toolBar_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    SetHot(0);
}

void CommandBar::LeaveKeyboardMode() {
    keyboardMode_ = false;
    SetHot(-1);
}

bool CommandBar::OnKeyInKeyboardMode(WPARAM key) {
    int count = ButtonCount();
    switch (key) {
    case VK_LEFT: SetHot((hot_ + count - 1) % count); return true;
    case VK_RIGHT: SetHot((hot_ + 1) % count); return true;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN: {
        int index = hot_;
        LeaveKeyboardMode();
        OpenMenu(index, true);
        return true;
    }
    case VK_ESCAPE: LeaveKeyboardMode(); return true;
    default: break;
    }
    auto ch = static_cast<wchar_t>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_CHAR));
    int index = MnemonicIndex(ch);
    LeaveKeyboardMode();
    if (index >= 0) {
        OpenMenu(index, true);
        return true;
    }
    return false;
}

bool CommandBar::PreTranslateMessage(MSG* msg) {
    switch (msg->message) {
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU) {
            if ((msg->lParam & 0x40000000) == 0) {
                altDown_ = true;
            }
            return false;
        }
        altDown_ = false;
        if (msg->wParam == VK_F10 && GetKeyState(VK_SHIFT) >= 0) {
            if (keyboardMode_) {
                LeaveKeyboardMode();
            } else {
                EnterKeyboardMode();
            }
            return true;
        }
        return false;
    case WM_SYSKEYUP:
        if (msg->wParam == VK_MENU && altDown_) {
            altDown_ = false;
            if (keyboardMode_) {
                LeaveKeyboardMode();
            } else {
                EnterKeyboardMode();
            }
            return true;
        }
        return false;
    case WM_SYSCHAR: {
        int index = MnemonicIndex(static_cast<wchar_t>(msg->wParam));
        if (index < 0) {
            return false;
        }
        LeaveKeyboardMode();
        OpenMenu(index, true);
        return true;
    }
    case WM_KEYDOWN: altDown_ = false; return keyboardMode_ && OnKeyInKeyboardMode(msg->wParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        if (keyboardMode_) {
            LeaveKeyboardMode();
        }
        return false;
    default: return false;
    }
}

void CommandBar::OpenMenu(int index, bool fromKeyboard) {
    while (index >= 0 && index < ButtonCount()) {
        HMENU popup = GetSubMenu(menu_.get(), index);
        if (popup == nullptr) {
            return;
        }
        openIndex_ = index;
        openPopup_ = popup;
        selectedMenu_ = popup;
        selectedFlags_ = 0;
        nextIndex_ = -1;
        int buttonId = kFirstButtonId + index;
        SendMessageW(toolBar_, TB_PRESSBUTTON, static_cast<WPARAM>(buttonId), TRUE);
        RECT rc{};
        SendMessageW(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
        MapWindowPoints(toolBar_, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        if (fromKeyboard) {
            // The popup opens with its first item selected, as a menu bar's does.
            PostMessageW(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        }
        tActiveBar = this;
        tHook = SetWindowsHookExW(WH_MSGFILTER, &CommandBar::MenuHook, nullptr, GetCurrentThreadId());
        TPMPARAMS params{};
        params.cbSize = sizeof params;
        params.rcExclude = rc;
        UINT command = static_cast<UINT>(
                TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                 rc.left, rc.bottom, hwnd(), &params));
        if (tHook != nullptr) {
            UnhookWindowsHookEx(tHook);
            tHook = nullptr;
        }
        tActiveBar = nullptr;
        SendMessageW(toolBar_, TB_PRESSBUTTON, static_cast<WPARAM>(buttonId), FALSE);
        openIndex_ = -1;
        openPopup_ = nullptr;
        if (command != 0) {
            PostMessageW(target_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            return;
        }
        index = nextIndex_;
        fromKeyboard = nextFromKeyboard_;
    }
}

bool CommandBar::OnMenuMessage(const MSG& msg) {
    int count = ButtonCount();
    if (msg.message == WM_MOUSEMOVE) {
        POINT pt = msg.pt;
        ScreenToClient(toolBar_, &pt);
        int hit = static_cast<int>(SendMessageW(toolBar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
        if (hit >= 0 && hit < count && hit != openIndex_) {
            nextIndex_ = hit;
            nextFromKeyboard_ = false;
            EndMenu();
        }
        return false;
    }
    if (msg.message == WM_LBUTTONDOWN) {
        POINT pt = msg.pt;
        ScreenToClient(toolBar_, &pt);
        int hit = static_cast<int>(SendMessageW(toolBar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
        if (hit == openIndex_) {
            // A second click on the open button closes its popup.
            EndMenu();
            return true;
        }
        return false;
    }
    if (msg.message == WM_KEYDOWN && count > 0) {
        bool atTop = selectedMenu_ == openPopup_;
        if (msg.wParam == VK_LEFT && atTop) {
            nextIndex_ = (openIndex_ + count - 1) % count;
            nextFromKeyboard_ = true;
            EndMenu();
            return true;
        }
        if (msg.wParam == VK_RIGHT && (selectedFlags_ & MF_POPUP) == 0) {
            nextIndex_ = (openIndex_ + 1) % count;
            nextFromKeyboard_ = true;
            EndMenu();
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK CommandBar::MenuHook(int code, WPARAM wp, LPARAM lp) {
    const bool eaten = GuardCallback(
            [&] {
                return code == MSGF_MENU && tActiveBar != nullptr &&
                       tActiveBar->OnMenuMessage(*reinterpret_cast<MSG*>(lp));
            },
            [] { return false; });
    return eaten ? 1 : CallNextHookEx(tHook, code, wp, lp);
}

LRESULT CommandBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: Layout(); return 0;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->hwndFrom == toolBar_ && hdr->code == TBN_DROPDOWN) {
            auto* tb = reinterpret_cast<NMTOOLBARW*>(lp);
            LeaveKeyboardMode();
            // Open after the tool bar has finished its own button-down handling.
            PostMessageW(hwnd(), WM_APP, static_cast<WPARAM>(tb->iItem - kFirstButtonId), 0);
            return TBDDRET_DEFAULT;
        }
        return SendMessageW(target_, msg, wp, lp);
    }
    case WM_APP: OpenMenu(static_cast<int>(wp), false); return 0;
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP: return SendMessageW(target_, msg, wp, lp);
    case WM_MENUSELECT:
        selectedMenu_ = reinterpret_cast<HMENU>(lp);
        selectedFlags_ = HIWORD(wp);
        return SendMessageW(target_, msg, wp, lp);
    case WM_COMMAND:
        // The bar's own buttons; controls placed on the bar talk to the frame.
        if (lp != 0 && reinterpret_cast<HWND>(lp) != toolBar_) {
            return SendMessageW(target_, msg, wp, lp);
        }
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return SendMessageW(target_, msg, wp, lp);
    default: break;
    }
    return Window::OnMessage(msg, wp, lp);
}

}  // namespace pv
