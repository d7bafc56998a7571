#include "app/ViewMode.h"

namespace pv {

ViewMode ViewModeFromStored(int32_t stored) {
    switch (stored) {
    case -1: return ViewMode::Both;
    case 1: return ViewMode::ThumbsOnly;
    default: return ViewMode::ImageOnly;
    }
}

ViewMode NextViewMode(ViewMode mode) {
    switch (mode) {
    case ViewMode::Both: return ViewMode::ImageOnly;
    case ViewMode::ImageOnly: return ViewMode::ThumbsOnly;
    case ViewMode::ThumbsOnly: break;
    }
    return ViewMode::Both;
}

bool FrameModes::Toggle(int32_t entryCount) {
    if (entryCount <= 0) {
        return false;
    }
    mode_ = NextViewMode(mode_);
    return true;
}

bool FrameModes::ToggleFullScreen(int32_t entryCount) {
    fullScreen_ = !fullScreen_;
    return Toggle(entryCount);
}

bool FrameModes::Escape(int32_t entryCount) {
    if (!fullScreen_) {
        return false;
    }
    ToggleFullScreen(entryCount);
    return true;
}

bool FrameModes::BringImageBack() {
    if (mode_ != ViewMode::ThumbsOnly) {
        return false;
    }
    mode_ = ViewMode::Both;
    return true;
}

}  // namespace pv
