#include "app/CommandStates.h"

#include <array>

#include "base/ResourceIds.h"

namespace pv {

namespace {

constexpr uint32_t kNotBuiltYet[] = {
        ID_EDIT_CUT,
        ID_VIEW_SLIDESHOW,
};

bool* EffectFlag(EffectFlags& effects, uint32_t id) {
    switch (id) {
    case ID_EFFECT_GRAYSCALE: return &effects.grayScale;
    case ID_EFFECT_HFLIP: return &effects.horizontalFlip;
    case ID_EFFECT_VFLIP: return &effects.verticalFlip;
    case ID_EFFECT_NEGATIVE: return &effects.negative;
    case ID_EFFECT_GLASS: return &effects.glass;
    case ID_EFFECT_STIPPLEDGLASS: return &effects.stippledGlass;
    default: return nullptr;
    }
}

}  // namespace

std::vector<CommandUi> FrameCommandStates(const FrameUiState& state) {
    std::vector<CommandUi> states;
    for (uint32_t id : kNotBuiltYet) {
        states.push_back({id, false, false});
    }
    for (uint32_t id = ID_SORT_FIRST; id <= ID_SORT_LAST; ++id) {
        states.push_back({id, true, false});
    }
    for (uint32_t id : std::initializer_list<uint32_t>{
                 ID_VIEW_THUMBNAILS, ID_VIEW_REPORT, ID_LIST_SORT_DIALOG, ID_SELECT_ALL, ID_SELECT_CLEAR,
                 ID_LIST_KEYWORDS, ID_KEYWORDS_COUNTTEXT, ID_KEYWORDS_PREPARE, ID_KEYWORDS_REDRAW,
                 ID_KEYWORDS_CLEAR_ACCUMULATOR, ID_LIST_OPEN, ID_LIST_SAVE, ID_SELECT_COPY, ID_SELECT_DELETE}) {
        states.push_back({id, true, false});
    }
    // What needs a picture is offered only while there is one: with none (at start-up, or
    // while a medium plays) there is nothing to print, copy or cut a wallpaper from.
    states.push_back({ID_FILE_CAPTURE, !state.previewRunning, false});
    states.push_back({ID_FILE_PRINT, state.hasPicture, false});
    states.push_back({ID_FILE_PAGE_SETUP, true, false});
    states.push_back({ID_FILE_PRINT_PREVIEW, state.hasPicture || state.previewRunning, state.previewRunning});
    states.push_back({ID_FILE_PRINT_PREVIEW_CLOSE, true, false});
    states.push_back({ID_EDIT_COPY, state.hasPicture, false});
    states.push_back({ID_EDIT_PASTE, state.clipboardHasBitmap && !state.previewRunning, false});
    states.push_back({ID_WALLPAPER_SET, state.hasPicture && !state.previewRunning, false});
    if (state.previewRunning) {
        states.push_back({ID_FILE_MRU_FIRST, false, false});
    }
    states.push_back({ID_VIEW_FITTOWINDOW, true, state.fitToWindow});
    states.push_back({ID_VIEW_TOOLBAR, true, state.toolBarVisible});
    states.push_back({ID_VIEW_STATUS_BAR, true, state.statusBarVisible});
    states.push_back({ID_VIEW_NEAREST, true, state.nearestFilter});
    states.push_back({ID_VIEW_BILINEAR, true, !state.nearestFilter});
    EffectFlags effects = state.effects;
    for (uint32_t id : std::initializer_list<uint32_t>{ID_EFFECT_GRAYSCALE, ID_EFFECT_HFLIP, ID_EFFECT_VFLIP,
                                                       ID_EFFECT_NEGATIVE, ID_EFFECT_GLASS, ID_EFFECT_STIPPLEDGLASS}) {
        states.push_back({id, true, *EffectFlag(effects, id)});
    }
    return states;
}

bool ToggleEffect(EffectFlags& effects, uint32_t id) {
    bool* flag = EffectFlag(effects, id);
    if (flag == nullptr) {
        return false;
    }
    *flag = !*flag;
    return true;
}

}  // namespace pv
