#include "framework/UpdateUi.h"

namespace pv {

void UpdateUi::AddToolBar(HWND toolBar) {
    toolBars_.push_back(toolBar);
    for (auto& [id, entry] : entries_) {
        entry.toolBarDirty = true;
    }
}

UpdateUi::Entry& UpdateUi::At(UINT id) {
    return entries_[id];
}

void UpdateUi::Set(UINT id, const CommandUiState& state) {
    Entry& e = At(id);
    if (!(e.state == state)) {
        e.state = state;
        e.toolBarDirty = true;
    }
}

void UpdateUi::Enable(UINT id, bool on) {
    CommandUiState s = State(id);
    s.enabled = on;
    Set(id, s);
}

void UpdateUi::Check(UINT id, bool on) {
    CommandUiState s = State(id);
    s.checked = on;
    Set(id, s);
}

void UpdateUi::SetRadio(UINT id, bool on) {
    CommandUiState s = State(id);
    s.radio = on;
    Set(id, s);
}

void UpdateUi::SetDefault(UINT id, bool on) {
    CommandUiState s = State(id);
    s.isDefault = on;
    Set(id, s);
}

CommandUiState UpdateUi::State(UINT id) const {
    auto it = entries_.find(id);
    return it == entries_.end() ? CommandUiState{} : it->second.state;
}

void UpdateUi::PushToToolBars() {
    for (auto& [id, entry] : entries_) {
        if (!entry.toolBarDirty) {
            continue;
        }
        entry.toolBarDirty = false;
        for (HWND bar : toolBars_) {
            // A tool bar without this command answers -1; leave it alone.
            if (SendMessageW(bar, TB_COMMANDTOINDEX, id, 0) < 0) {
                continue;
            }
            SendMessageW(bar, TB_ENABLEBUTTON, id, MAKELPARAM(entry.state.enabled ? TRUE : FALSE, 0));
            bool pressed = entry.state.checked || entry.state.radio;
            SendMessageW(bar, TB_CHECKBUTTON, id, MAKELPARAM(pressed ? TRUE : FALSE, 0));
        }
    }
}

void UpdateUi::ApplyToMenu(HMENU popup) const {
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STATE;
        if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info) || info.hSubMenu != nullptr ||
            (info.fType & MFT_SEPARATOR) != 0) {
            continue;
        }
        auto it = entries_.find(info.wID);
        if (it == entries_.end()) {
            continue;
        }
        const CommandUiState& s = it->second.state;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        info.fState &= ~static_cast<UINT>(MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT);
        info.fState |= (s.enabled ? 0u : MFS_DISABLED) | (s.checked || s.radio ? MFS_CHECKED : 0u) |
                       (s.isDefault ? MFS_DEFAULT : 0u);
        info.fType = s.radio ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~static_cast<UINT>(MFT_RADIOCHECK));
        SetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
    }
}

void UpdateUi::ApplyToMenuTree(HMENU menu) const {
    ApplyToMenu(menu);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i); sub != nullptr) {
            ApplyToMenuTree(sub);
        }
    }
}

}  // namespace pv
