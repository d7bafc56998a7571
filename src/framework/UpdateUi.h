// The UI-update table: per command id whether it is enabled, checked, radio-checked or the
// default item. Handlers change the table; the states reach the tool bars at idle time
// (PushToToolBars) and a menu when it is about to open (ApplyToMenu on WM_INITMENUPOPUP), so
// menus, tool bars and the code always agree. Commands not in the table are left as they are.
#pragma once

#include <map>
#include <vector>

#include "framework/WinInclude.h"

namespace pv {

struct CommandUiState {
    bool enabled = true;
    bool checked = false;
    bool radio = false;      // checked with a bullet (menus); pressed (tool bars)
    bool isDefault = false;  // bold default item (menus only)
    friend bool operator==(const CommandUiState&, const CommandUiState&) = default;
};

class UpdateUi {
public:
    // Tool bars whose buttons follow the table.
    void AddToolBar(HWND toolBar);

    void Enable(UINT id, bool on);
    void Check(UINT id, bool on);
    void SetRadio(UINT id, bool on);
    void SetDefault(UINT id, bool on);
    // Whole state at once.
    void Set(UINT id, const CommandUiState& state);

    [[nodiscard]] CommandUiState State(UINT id) const;

    [[nodiscard]] bool Has(UINT id) const { return entries_.count(id) != 0; }

    // Sends changed states to the tool bars' buttons (call from the idle handler).
    void PushToToolBars();
    // Gives every item of the popup (not its submenus) the state of its command.
    void ApplyToMenu(HMENU popup) const;
    // The same for a whole menu tree (a menu bar and its popups).
    void ApplyToMenuTree(HMENU menu) const;

private:
    struct Entry {
        CommandUiState state;
        bool toolBarDirty = true;
    };

    Entry& At(UINT id);

    std::map<UINT, Entry> entries_;
    std::vector<HWND> toolBars_;
};

}  // namespace pv
