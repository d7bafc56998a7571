// Which of the frame's commands are enabled and checked, as one function of the frame's
// state: the UI-update table takes its states from here at every idle round, so menus,
// tool bars and the frame never disagree.
#pragma once

#include <cstdint>
#include <vector>

#include "view/ViewTypes.h"

namespace pv {

struct FrameUiState {
    bool fitToWindow = false;
    bool nearestFilter = false;  // otherwise bilinear
    EffectFlags effects;
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    // Pictures in and out: wallpaper, printing, the clipboard.
    bool hasPicture = false;  // the view shows a picture (not a medium, not an empty pane)
    bool clipboardHasBitmap = false;
    bool previewRunning = false;
};

struct CommandUi {
    uint32_t id = 0;
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const CommandUi&, const CommandUi&) = default;
};

// Every command the table carries, with its state. Commands whose work is not in this build
// yet are there, disabled, so that none pretends to work.
std::vector<CommandUi> FrameCommandStates(const FrameUiState& state);

// Flips the effect that `id` names; false when `id` is no effect command.
bool ToggleEffect(EffectFlags& effects, uint32_t id);

}  // namespace pv
