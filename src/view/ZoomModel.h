// The image view's zoom and scroll arithmetic: zoom factor and per mille, zoomed size,
// scroll ranges and positions, the click modes, fit to window and the resize override.
// A thin window drives it: it forwards its client size changes, scroll requests, wheel
// and finished rubber-band rectangles, and paints what the renderer made of the state.
#pragma once

#include <cstdint>
#include <optional>

#include "view/ScrollHost.h"
#include "view/ViewTypes.h"

namespace pv {

inline constexpr float kZoomStep = 1.05f;
// The 32-bit float nearest 1 / 1.05: the wheel zooms in by dividing by it.
inline constexpr float kWheelZoomInDivisor = 0.95238096f;
inline constexpr int32_t kDragThreshold = 10;
inline constexpr int32_t kZoomBase = 1000;
// Zooming in stops where a zoomed side would pass this: scroll-bar thumb positions travel
// in 16 bits, and a longer side could not be scrolled to its end by dragging the thumb.
inline constexpr int32_t kMaxZoomedSide = 65535;

inline constexpr int32_t kClickModeNone = 0;
inline constexpr int32_t kClickModeZoomIn = 1;
inline constexpr int32_t kClickModeZoomOut = 2;

class ZoomModel {
public:
    explicit ZoomModel(ScrollHost& host) : host_(host) {}

    // The size every zoom is computed from (for an animation, its logical screen).
    void SetImageSize(int32_t width, int32_t height);

    // 100 %: factor 1.0, per mille 1000, zoomed size = picture size, click mode 1.
    void ResetZoom();
    // One zoom step about the centre of the client area.
    void ZoomIn();
    // Zooms out by `step`, keeping `anchor` (content pixels; the client centre when none)
    // in its place on the screen. False when the zoomed picture became smaller than 3
    // pixels and nothing was repainted.
    bool ZoomOutAt(std::optional<Point> anchor, float step);
    // The mouse wheel at `cursor` (client coordinates): delta > 0 zooms in, else out.
    void Wheel(int32_t delta, Point cursor);
    // A finished left-button press: `dragged` holds the ordered corners in content pixels
    // (both at the press point for a plain click).
    void ClickZoom(const Rect& dragged);
    void Scroll(ScrollBar bar, ScrollCode code, int32_t trackPosition);

    // Recomputes both scroll ranges from the zoomed size (twice, as shown bars change the
    // client area). Re-entrant calls, from the size change a bar causes, do nothing.
    void UpdateScrollRanges();

    // The layout after a successful load: fit (never enlarging) or 100 %, scroll ranges,
    // positions at the middle of their ranges. 0 when a fitted picture would be smaller
    // than 3 pixels in width or height, else 1.
    int LayOut(bool fit);

    // The resize override: an exact zoomed size drawn through a scaling path with the
    // given filter. Refuses a side below 1 or one beyond what can be scrolled.
    bool Resize(int32_t width, int32_t height, int32_t filter);

    // The zoomed size and per mille again from the factor (ends a resize override; the
    // animation worker does it at the first frame of every pass).
    void RecomputeFromFactor() { Recompute(); }

    // Whether the zoomed size and per mille are the factor's (false during a resize).
    [[nodiscard]] bool FollowsFactor() const;

    // Before a render: a direction that fits entirely has its position reset to 0.
    void ResetPositionsThatFit();

    void SetFilter(int32_t filter) { filter_ = filter; }

    void SetClickMode(int32_t mode) { clickMode_ = mode; }

    [[nodiscard]] float Factor() const { return factor_; }

    [[nodiscard]] int32_t Permille() const { return permille_; }

    [[nodiscard]] int32_t ZoomedWidth() const { return zoomedWidth_; }

    [[nodiscard]] int32_t ZoomedHeight() const { return zoomedHeight_; }

    [[nodiscard]] int32_t ImageWidth() const { return imageWidth_; }

    [[nodiscard]] int32_t ImageHeight() const { return imageHeight_; }

    [[nodiscard]] int32_t Filter() const { return filter_; }

    [[nodiscard]] int32_t ClickMode() const { return clickMode_; }

    [[nodiscard]] int32_t Position(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hPos_ : vPos_; }

    [[nodiscard]] int32_t Maximum(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hMax_ : vMax_; }

    [[nodiscard]] ClientSize Client() const { return host_.Client(); }

    // Scroll positions are remembered here; the window's bars mirror them.
    void SetPosition(ScrollBar bar, int32_t position);

private:
    void Recompute();
    float LimitGrowth(float wanted) const;
    void ZoomInAbout(float step, int32_t cx, int32_t cy);
    Point CentreInContent(bool correctForCentring) const;

    ScrollHost& host_;
    int32_t imageWidth_ = 0;
    int32_t imageHeight_ = 0;
    float factor_ = 1.0f;
    int32_t permille_ = kZoomBase;
    int32_t zoomedWidth_ = 0;
    int32_t zoomedHeight_ = 0;
    int32_t filter_ = kFilterBilinear;
    int32_t clickMode_ = kClickModeNone;
    int32_t hPos_ = 0;
    int32_t vPos_ = 0;
    int32_t hMax_ = 0;
    int32_t vMax_ = 0;
    bool inUpdate_ = false;
};

}  // namespace pv
