// The frame's view modes (the splitter's single-pane state, stored as ThumbsMode), their
// Toggle cycle and how full screen steps them.
#pragma once

#include <cstdint>

namespace pv {

// The values are the stored ThumbsMode numbers.
enum class ViewMode : int32_t {
    Both = -1,
    ImageOnly = 0,
    ThumbsOnly = 1
};

// A stored number that is not one of the three reads as the image view alone.
ViewMode ViewModeFromStored(int32_t stored);

[[nodiscard]] constexpr int32_t StoredViewMode(ViewMode mode) {
    return static_cast<int32_t>(mode);
}

// Toggle: both -> image view only -> thumbnails only -> both.
ViewMode NextViewMode(ViewMode mode);

// The view mode together with full screen, as the frame's commands change them. Each call
// says what the frame must now show; the frame only moves windows.
class FrameModes {
public:
    [[nodiscard]] ViewMode Mode() const { return mode_; }

    [[nodiscard]] bool FullScreen() const { return fullScreen_; }

    void SetMode(ViewMode mode) { mode_ = mode; }

    // Toggle: with nothing in the list there is nothing to show as thumbnails, so the mode
    // stays. True when the mode changed.
    bool Toggle(int32_t entryCount);

    // Full screen on or off; with a non-empty list the mode takes one Toggle step either way.
    // True when the mode changed.
    bool ToggleFullScreen(int32_t entryCount);

    // Escape: leaves full screen when it is on (one Toggle step as above). True when full
    // screen was left.
    bool Escape(int32_t entryCount);

    // A road that opens a file while only thumbnails show brings the image view back beside
    // them. True when the mode changed.
    bool BringImageBack();

    // Closing leaves full screen without a mode step: the stored mode is the one in use.
    void LeaveFullScreenForClose() { fullScreen_ = false; }

private:
    ViewMode mode_ = ViewMode::ImageOnly;
    bool fullScreen_ = false;
};

}  // namespace pv
