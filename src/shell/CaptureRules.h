// Which windows the capture dialog lists, and the part of a window that can be grabbed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "view/ViewTypes.h"

namespace pv {

inline constexpr size_t kMaxCaptureWindows = 254;
inline constexpr int32_t kMinCaptureClientSide = 5;
inline constexpr const char* kDesktopItemText = "Desktop";

struct CaptureCandidate {
    bool visible = false;
    bool minimised = false;
    ClientSize client;  // right and bottom of its client rectangle
    size_t titleLength = 0;
};

// Visible, not minimised, a client area of at least 5 x 5 pixels and a title, while the
// table (holding `listed` windows) has room.
[[nodiscard]] bool TakeForCapture(const CaptureCandidate& window, size_t listed);

// The window's rectangle clipped to the screen (0 .. width, 0 .. height); none when less
// than a pixel of it is on the screen.
[[nodiscard]] std::optional<Rect> ClipToScreen(const Rect& window, int32_t screenWidth, int32_t screenHeight);

}  // namespace pv
