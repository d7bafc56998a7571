// A window without a window: a client area of a given size from which each shown scroll
// bar takes its thickness (17 pixels, as on Windows), for the command-line tool and tests.
#pragma once

#include "view/ScrollHost.h"

namespace pv {

inline constexpr int32_t kDefaultScrollBarThickness = 17;

class SimulatedScrollHost final : public ScrollHost {
public:
    // `full` is the client rectangle while no bar is shown.
    explicit SimulatedScrollHost(ClientSize full, int32_t barThickness = kDefaultScrollBarThickness)
        : full_(full), thickness_(barThickness) {}

    void Resize(ClientSize full) { full_ = full; }

    [[nodiscard]] ClientSize Client() const override;

    [[nodiscard]] bool HasBar(ScrollBar bar) const override {
        return bar == ScrollBar::Horizontal ? hasHorizontal_ : hasVertical_;
    }

    [[nodiscard]] int32_t BarThickness(ScrollBar) const override { return thickness_; }

    void SetScrollRange(ScrollBar bar, int32_t maximum) override;
    void SetScrollPos(ScrollBar bar, int32_t position) override;
    void Invalidate(bool erase) override;

    void Redraw() override { ++redraws; }

    void NotifyZoomChanged() override { ++zoomNotifications; }

    [[nodiscard]] int32_t Position(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hPos_ : vPos_; }

    int invalidations = 0;
    int erasingInvalidations = 0;
    int redraws = 0;
    int zoomNotifications = 0;

private:
    ClientSize full_;
    int32_t thickness_;
    bool hasHorizontal_ = false;
    bool hasVertical_ = false;
    int32_t hMax_ = 0;
    int32_t vMax_ = 0;
    int32_t hPos_ = 0;
    int32_t vPos_ = 0;
};

}  // namespace pv
