// The main menu drawn as a bar (to sit in a rebar band): one flat button per top-level popup,
// each opening its popup under it. While a popup is open, moving the mouse to another button or
// pressing Left/Right at the top level switches popups. Keyboard: Alt alone or F10 lights the
// first button (then arrows, Enter, Down, Escape, or a mnemonic), Alt+mnemonic opens that popup.
// Chosen commands and WM_INITMENUPOPUP/WM_MENUSELECT go to the command target (the frame), so
// the frame's UI-update table and status prompts work as with a real menu bar. One control
// (the position counter) can be placed to the right of the menu items.
#pragma once

#include <string>

#include "base/win32/Handles.h"
#include "framework/Window.h"

namespace pv {

class CommandBar : public Window {
public:
    // Builds the bar from menu resource menuId (the bar owns the loaded menu).
    bool CreateCommandBar(HWND parent, UINT id, UINT menuId, HWND commandTarget);

    [[nodiscard]] HMENU Menu() const { return menu_.get(); }

    [[nodiscard]] HWND ToolBar() const { return toolBar_; }

    [[nodiscard]] int ButtonCount() const;
    [[nodiscard]] std::wstring ButtonText(int index) const;

    // control becomes a child of the bar, width x height pixels at 100 %, right of the items.
    void PlaceControl(HWND control, int width, int height);
    [[nodiscard]] SIZE IdealSize() const;

    // For the frame's message filter, before its accelerators. True when the key was used.
    bool PreTranslateMessage(MSG* msg);

    // Opens popup index and runs it until it closes (or another popup takes over).
    void OpenMenu(int index, bool fromKeyboard);
    // The button index whose mnemonic is ch, or -1.
    [[nodiscard]] int MnemonicIndex(wchar_t ch) const;

    // Keyboard mode: a button is lit but no popup is open (-1 when off).
    [[nodiscard]] int HotIndex() const { return keyboardMode_ ? hot_ : -1; }

    // The popup open now, or -1.
    [[nodiscard]] int OpenIndex() const { return openIndex_; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static LRESULT CALLBACK MenuHook(int code, WPARAM wp, LPARAM lp);
    bool OnMenuMessage(const MSG& msg);
    void Layout();
    void EnterKeyboardMode();
    void LeaveKeyboardMode();
    void SetHot(int index);
    bool OnKeyInKeyboardMode(WPARAM key);

    UniqueMenu menu_;
    HWND toolBar_ = nullptr;
    HWND target_ = nullptr;
    HWND control_ = nullptr;
    int controlWidth_ = 0;
    int controlHeight_ = 0;

    bool altDown_ = false;
    bool keyboardMode_ = false;
    int hot_ = -1;
    int openIndex_ = -1;
    int nextIndex_ = -1;
    bool nextFromKeyboard_ = false;
    HMENU openPopup_ = nullptr;
    HMENU selectedMenu_ = nullptr;
    UINT selectedFlags_ = 0;
};

}  // namespace pv
