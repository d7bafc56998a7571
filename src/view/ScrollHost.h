// What the zoom model asks of the window that shows it. The Win32 view implements it with
// GetClientRect, the window's scroll-bar styles, GetSystemMetrics, SetScrollRange,
// SetScrollPos and InvalidateRect; SimulatedScrollHost does the same arithmetic without a
// window for the command-line tool and the tests.
#pragma once

#include <cstdint>

#include "view/ViewTypes.h"

namespace pv {

class ScrollHost {
public:
    ScrollHost() = default;
    ScrollHost(const ScrollHost&) = delete;
    ScrollHost& operator=(const ScrollHost&) = delete;
    virtual ~ScrollHost() = default;

    // The client rectangle as it is now (shown scroll bars take their room from it).
    [[nodiscard]] virtual ClientSize Client() const = 0;
    [[nodiscard]] virtual bool HasBar(ScrollBar bar) const = 0;
    // SM_CYHSCROLL for the horizontal bar, SM_CXVSCROLL for the vertical one.
    [[nodiscard]] virtual int32_t BarThickness(ScrollBar bar) const = 0;
    // Range 0 to `maximum`, redrawn; a maximum of 0 hides the bar. The window clamps its
    // position into the new range, as the model does with its own copy.
    virtual void SetScrollRange(ScrollBar bar, int32_t maximum) = 0;
    virtual void SetScrollPos(ScrollBar bar, int32_t position) = 0;
    virtual void Invalidate(bool erase) = 0;
    // Invalidate without erasing, or, while an animation runs, ask it to draw again.
    virtual void Redraw() = 0;
    // The frame refreshes its caption after a zoom by the mouse (UM_REFRESHTEXTS).
    virtual void NotifyZoomChanged() = 0;
};

}  // namespace pv
