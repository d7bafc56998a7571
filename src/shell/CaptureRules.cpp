#include "shell/CaptureRules.h"

#include <algorithm>

namespace pv {

bool TakeForCapture(const CaptureCandidate& window, size_t listed) {
    return listed < kMaxCaptureWindows && window.visible && !window.minimised &&
           window.client.width >= kMinCaptureClientSide && window.client.height >= kMinCaptureClientSide &&
           window.titleLength > 0;
}

std::optional<Rect> ClipToScreen(const Rect& window, int32_t screenWidth, int32_t screenHeight) {
    const Rect r{std::max(window.left, 0), std::max(window.top, 0), std::min(window.right, screenWidth),
                 std::min(window.bottom, screenHeight)};
    if (r.right - r.left < 1 || r.bottom - r.top < 1) {
        return std::nullopt;
    }
    return r;
}

}  // namespace pv
