#include "view/ZoomModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pv {

namespace {

// Integer times float factor: the product in double precision, truncated toward zero
// (640 x 1.05f gives 671, 1000 x 1.05f gives 1049).
int32_t TruncProduct(int64_t value, double factor) {
    const double p = std::trunc(static_cast<double>(value) * factor);
    if (!(p < static_cast<double>(std::numeric_limits<int32_t>::max()))) {
        return std::numeric_limits<int32_t>::max();
    }
    if (!(p > static_cast<double>(std::numeric_limits<int32_t>::min()))) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(p);
}

int32_t ClampToInt(int64_t v) {
    return static_cast<int32_t>(
            std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

void ZoomModel::SetImageSize(int32_t width, int32_t height) {
    imageWidth_ = width;
    imageHeight_ = height;
}

void ZoomModel::Recompute() {
    permille_ = TruncProduct(kZoomBase, factor_);
    zoomedWidth_ = TruncProduct(imageWidth_, factor_);
    zoomedHeight_ = TruncProduct(imageHeight_, factor_);
}

bool ZoomModel::FollowsFactor() const {
    return permille_ == TruncProduct(kZoomBase, factor_) && zoomedWidth_ == TruncProduct(imageWidth_, factor_) &&
           zoomedHeight_ == TruncProduct(imageHeight_, factor_);
}

// The largest factor whose zoomed sides stay within kMaxZoomedSide; a picture already
// larger than that at its current zoom keeps its factor (zooming in does nothing).
float ZoomModel::LimitGrowth(float wanted) const {
    if (!(wanted > factor_)) {
        return wanted;
    }
    const int32_t side = std::max(imageWidth_, imageHeight_);
    if (side <= 0) {
        return wanted;
    }
    float limit = static_cast<float>(static_cast<double>(kMaxZoomedSide) / side);
    while (TruncProduct(side, limit) > kMaxZoomedSide) {
        limit = std::nextafter(limit, 0.0f);
    }
    if (wanted <= limit) {
        return wanted;
    }
    return std::max(limit, factor_);
}

void ZoomModel::ResetZoom() {
    factor_ = 1.0f;
    permille_ = kZoomBase;
    zoomedWidth_ = imageWidth_;
    zoomedHeight_ = imageHeight_;
    clickMode_ = kClickModeZoomIn;
}

void ZoomModel::SetPosition(ScrollBar bar, int32_t position) {
    const int32_t p = std::clamp(position, 0, Maximum(bar));
    (bar == ScrollBar::Horizontal ? hPos_ : vPos_) = p;
    host_.SetScrollPos(bar, p);
}

void ZoomModel::UpdateScrollRanges() {
    if (inUpdate_) {
        return;
    }
    inUpdate_ = true;
    ClientSize c = host_.Client();
    if (host_.HasBar(ScrollBar::Horizontal)) {
        c.height += host_.BarThickness(ScrollBar::Horizontal);
    }
    if (host_.HasBar(ScrollBar::Vertical)) {
        c.width += host_.BarThickness(ScrollBar::Vertical);
    }
    for (int pass = 0; pass < 2; ++pass) {
        const int32_t vMax = ClampToInt(std::max<int64_t>(0, int64_t{zoomedHeight_} - c.height - 1));
        const int32_t hMax = ClampToInt(std::max<int64_t>(0, int64_t{zoomedWidth_} - c.width - 1));
        if (vPos_ > vMax || hPos_ > hMax) {
            host_.Invalidate(true);
        }
        host_.SetScrollRange(ScrollBar::Vertical, vMax);
        host_.SetScrollRange(ScrollBar::Horizontal, hMax);
        vMax_ = vMax;
        hMax_ = hMax;
        // A new range moves a position that no longer fits to its end, as the bar does.
        vPos_ = std::min(vPos_, vMax);
        hPos_ = std::min(hPos_, hMax);
        c = host_.Client();
    }
    inUpdate_ = false;
}

Point ZoomModel::CentreInContent(bool correctForCentring) const {
    const ClientSize c = host_.Client();
    Point p{(c.width + 1) / 2 + hPos_, (c.height + 1) / 2 + vPos_};
    if (correctForCentring) {
        // A picture narrower than the pane is centred, so the client centre lies that far
        // right of (below) the picture's centre.
        if (zoomedWidth_ < c.width + 1) {
            p.x -= (c.width - zoomedWidth_ + 1) / 2;
        }
        if (zoomedHeight_ < c.height + 1) {
            p.y -= (c.height - zoomedHeight_ + 1) / 2;
        }
    }
    return p;
}

void ZoomModel::ZoomInAbout(float step, int32_t cx, int32_t cy) {
    const float old = factor_;
    const float wanted = factor_ * step;
    factor_ = LimitGrowth(wanted);
    // Where the growth was limited the centre moves by the factor actually applied.
    const double applied =
            factor_ == wanted ? static_cast<double>(step) : static_cast<double>(factor_) / static_cast<double>(old);
    Recompute();
    UpdateScrollRanges();
    const ClientSize c = host_.Client();
    SetPosition(ScrollBar::Horizontal, std::max(0, TruncProduct(cx, applied) - (c.width + 1) / 2));
    SetPosition(ScrollBar::Vertical, std::max(0, TruncProduct(cy, applied) - (c.height + 1) / 2));
    host_.Invalidate(false);
}

void ZoomModel::ZoomIn() {
    clickMode_ = kClickModeZoomIn;
    const Point centre = CentreInContent(true);
    ZoomInAbout(kZoomStep, centre.x, centre.y);
}

bool ZoomModel::ZoomOutAt(std::optional<Point> anchor, float step) {
    clickMode_ = kClickModeZoomOut;
    const Point p = anchor ? *anchor : CentreInContent(false);
    const int32_t oldH = hPos_;
    const int32_t oldV = vPos_;
    factor_ /= step;
    Recompute();
    UpdateScrollRanges();
    const float inverse = 1.0f / step;
    // Scroll positions are used whole here, as ZoomIn does: reading them as 16-bit values
    // would throw a far-scrolled view to the wrong place.
    SetPosition(ScrollBar::Horizontal,
                ClampToInt(std::max<int64_t>(0, int64_t{TruncProduct(p.x, inverse)} + oldH - p.x)));
    SetPosition(ScrollBar::Vertical,
                ClampToInt(std::max<int64_t>(0, int64_t{TruncProduct(p.y, inverse)} + oldV - p.y)));
    if (zoomedWidth_ < 3 || zoomedHeight_ < 3) {
        return false;
    }
    host_.Invalidate(false);
    return true;
}

void ZoomModel::Wheel(int32_t delta, Point cursor) {
    const Point anchor{cursor.x + hPos_, cursor.y + vPos_};
    if (delta <= 0) {
        ZoomOutAt(anchor, kZoomStep);
    } else {
        clickMode_ = kClickModeZoomIn;
        const int32_t oldH = hPos_;
        const int32_t oldV = vPos_;
        const float old = factor_;
        const float wanted = factor_ / kWheelZoomInDivisor;
        factor_ = LimitGrowth(wanted);
        const double applied = factor_ == wanted ? 1.05 : static_cast<double>(factor_) / static_cast<double>(old);
        Recompute();
        UpdateScrollRanges();
        SetPosition(ScrollBar::Horizontal,
                    ClampToInt(std::max<int64_t>(0, int64_t{oldH} + TruncProduct(anchor.x, applied) - anchor.x)));
        SetPosition(ScrollBar::Vertical,
                    ClampToInt(std::max<int64_t>(0, int64_t{oldV} + TruncProduct(anchor.y, applied) - anchor.y)));
        if (zoomedWidth_ >= 3 && zoomedHeight_ >= 3) {
            host_.Invalidate(false);
        }
    }
    host_.NotifyZoomChanged();
    host_.Redraw();
}

void ZoomModel::ClickZoom(const Rect& d) {
    const int32_t width = d.right - d.left;
    const int32_t height = d.bottom - d.top;
    if (width + 1 > kDragThreshold && height + 1 > kDragThreshold) {
        clickMode_ = kClickModeZoomIn;
    }
    const Point mid{static_cast<int32_t>((int64_t{d.left} + d.right) / 2),
                    static_cast<int32_t>((int64_t{d.top} + d.bottom) / 2)};
    if (clickMode_ == kClickModeZoomIn) {
        const ClientSize c = host_.Client();
        Point centre = mid;
        if (zoomedWidth_ < c.width + 1) {
            centre.x -= (c.width - zoomedWidth_ + 1) / 2;
        }
        if (zoomedHeight_ < c.height + 1) {
            centre.y -= (c.height - zoomedHeight_ + 1) / 2;
        }
        float f = kZoomStep;
        if (std::max(width, height) >= kDragThreshold) {
            // A side of 0 sets no limit: the rectangle is enlarged to fill the pane.
            f = std::numeric_limits<float>::infinity();
            if (width != 0) {
                f = static_cast<float>(c.width + 1) / static_cast<float>(width);
            }
            if (height != 0) {
                f = std::min(f, static_cast<float>(c.height + 1) / static_cast<float>(height));
            }
        }
        ZoomInAbout(f, centre.x, centre.y);
    } else if (clickMode_ == kClickModeZoomOut) {
        ZoomOutAt(mid, kZoomStep);
    }
    host_.Invalidate(false);
    host_.NotifyZoomChanged();
}

void ZoomModel::Scroll(ScrollBar bar, ScrollCode code, int32_t trackPosition) {
    const ClientSize c = host_.Client();
    const int32_t size = bar == ScrollBar::Horizontal ? c.width : c.height;
    const int32_t current = Position(bar);
    int64_t distance = 0;
    switch (code) {
    case ScrollCode::LineUp: distance = -(size / 64 + 1); break;
    case ScrollCode::LineDown: distance = size / 64 + 1; break;
    case ScrollCode::PageUp: distance = -(size / 16 + 1); break;
    case ScrollCode::PageDown: distance = size / 16 + 1; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: distance = int64_t{trackPosition} - current; break;
    default: break;
    }
    const auto next = static_cast<int32_t>(std::clamp<int64_t>(current + distance, 0, Maximum(bar)));
    if (next != current) {
        SetPosition(bar, next);
    }
    host_.Redraw();
}

int ZoomModel::LayOut(bool fit) {
    const ClientSize c = host_.Client();
    const bool fits = int64_t{imageWidth_} <= int64_t{c.width} + 1 && int64_t{imageHeight_} <= int64_t{c.height} + 1;
    if (!fit || fits) {
        UpdateScrollRanges();
        SetPosition(ScrollBar::Horizontal, hMax_ / 2);
        SetPosition(ScrollBar::Vertical, vMax_ / 2);
        host_.Invalidate(false);
        return 1;
    }
    clickMode_ = kClickModeZoomIn;
    // Each quotient in 32-bit floating point; one factor for both axes keeps the aspect.
    const float fx = static_cast<float>(c.width - 1) / static_cast<float>(imageWidth_);
    const float fy = static_cast<float>(c.height - 1) / static_cast<float>(imageHeight_);
    factor_ = std::min(fx, fy);
    Recompute();
    UpdateScrollRanges();
    if (zoomedWidth_ < 3 || zoomedHeight_ < 3) {
        return 0;
    }
    host_.Invalidate(false);
    return 1;
}

bool ZoomModel::Resize(int32_t width, int32_t height, int32_t filter) {
    const int32_t limit = std::max({kMaxZoomedSide, imageWidth_, imageHeight_});
    if (width < 1 || height < 1 || width > limit || height > limit) {
        return false;
    }
    zoomedWidth_ = width;
    zoomedHeight_ = height;
    // Never 1000, so the stretched size is always drawn through a scaling path.
    permille_ = 2000;
    filter_ = filter;
    UpdateScrollRanges();
    host_.Invalidate(false);
    return true;
}

void ZoomModel::ResetPositionsThatFit() {
    const ClientSize c = host_.Client();
    const int32_t visibleW = std::min(zoomedWidth_, c.width + 1);
    const int32_t visibleH = std::min(zoomedHeight_, c.height + 1);
    if (zoomedHeight_ <= visibleH && vPos_ != 0) {
        SetPosition(ScrollBar::Vertical, 0);
    }
    if (zoomedWidth_ <= visibleW && hPos_ != 0) {
        SetPosition(ScrollBar::Horizontal, 0);
    }
}

}  // namespace pv
