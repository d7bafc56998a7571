#include "view/SimulatedScrollHost.h"

#include <algorithm>

namespace pv {

ClientSize SimulatedScrollHost::Client() const {
    return {std::max(0, full_.width - (hasVertical_ ? thickness_ : 0)),
            std::max(0, full_.height - (hasHorizontal_ ? thickness_ : 0))};
}

void SimulatedScrollHost::SetScrollRange(ScrollBar bar, int32_t maximum) {
    const int32_t max = std::max(0, maximum);
    if (bar == ScrollBar::Horizontal) {
        hMax_ = max;
        hasHorizontal_ = max > 0;
        hPos_ = std::min(hPos_, max);
    } else {
        vMax_ = max;
        hasVertical_ = max > 0;
        vPos_ = std::min(vPos_, max);
    }
}

void SimulatedScrollHost::SetScrollPos(ScrollBar bar, int32_t position) {
    if (bar == ScrollBar::Horizontal) {
        hPos_ = std::clamp(position, 0, hMax_);
    } else {
        vPos_ = std::clamp(position, 0, vMax_);
    }
}

void SimulatedScrollHost::Invalidate(bool erase) {
    ++invalidations;
    if (erase) {
        ++erasingInvalidations;
    }
}

}  // namespace pv
