// Geometry of a two-pane splitter: where the panes and the divider go for a client size, a
// single-pane mode and a divider position. Portable and header-only, so it is tested natively.
#pragma once

#include <algorithm>
#include <cstdint>

namespace pv {

struct SplitRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    [[nodiscard]] int32_t width() const { return right - left; }

    [[nodiscard]] bool empty() const { return right <= left || bottom <= top; }

    friend bool operator==(const SplitRect&, const SplitRect&) = default;
};

// Single-pane modes: both panes, left pane only, right pane only (the view modes' values).
enum SplitMode : int32_t {
    kSplitBoth = -1,
    kSplitLeftOnly = 0,
    kSplitRightOnly = 1,
};

struct SplitPanes {
    SplitRect left;   // empty when the left pane is hidden
    SplitRect right;  // empty when the right pane is hidden
    SplitRect bar;    // empty unless both panes show
    bool leftVisible = false;
    bool rightVisible = false;
};

// The divider position for a fraction of the width, truncated as the frame does (0.382 of 1000
// is 382). The product is taken in double precision.
inline int32_t ProportionalSplitPos(int32_t width, double fraction) {
    if (width <= 0 || fraction <= 0.0) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<double>(width) * fraction);
}

// Keeps the divider inside the client so both panes keep at least minPane pixels when that is
// possible; a client too narrow for both gives the left pane what there is.
inline int32_t ClampSplitPos(int32_t pos, int32_t width, int32_t barWidth, int32_t minPane) {
    int32_t high = width - barWidth - minPane;
    int32_t low = minPane;
    if (high < low) {
        return std::max(0, std::min(pos, width - barWidth));
    }
    return std::clamp(pos, low, high);
}

// pos is the divider's left edge in client coordinates.
inline SplitPanes LayoutSplit(const SplitRect& client, int32_t mode, int32_t pos, int32_t barWidth) {
    SplitPanes out;
    if (mode == kSplitLeftOnly) {
        out.left = client;
        out.leftVisible = true;
        return out;
    }
    if (mode == kSplitRightOnly) {
        out.right = client;
        out.rightVisible = true;
        return out;
    }
    int32_t x = client.left + std::clamp(pos, 0, std::max(0, client.width() - barWidth));
    out.left = {client.left, client.top, x, client.bottom};
    out.bar = {x, client.top, std::min(client.right, x + barWidth), client.bottom};
    out.right = {out.bar.right, client.top, client.right, client.bottom};
    out.leftVisible = true;
    out.rightVisible = true;
    return out;
}

// True when client x lies on the divider (only while both panes show).
inline bool HitsSplitBar(int32_t x, int32_t mode, int32_t pos, int32_t barWidth) {
    return mode == kSplitBoth && x >= pos && x < pos + barWidth;
}

}  // namespace pv
