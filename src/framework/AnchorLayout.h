// Where a dialog's controls go when the dialog is resized: each keeps its place, keeps its
// distance from the right edge, grows in width, or grows in both directions, by how much the
// client area differs from the size the template gave it. Portable and header-only.
#pragma once

#include <cstdint>

namespace pv {

enum class Anchor {
    Stay,       // where the template puts it
    MoveRight,  // keeps its distance from the right edge
    GrowWidth,  // keeps both side distances
    GrowBoth,   // keeps the distances to all four edges
};

struct AnchorRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const AnchorRect&, const AnchorRect&) = default;
};

// The rectangle of a control laid out at `original` for a client of the template's size,
// once the client is `dx` wider and `dy` taller (either may be negative).
constexpr AnchorRect PlaceAnchored(Anchor anchor, const AnchorRect& original, int32_t dx, int32_t dy) {
    AnchorRect r = original;
    switch (anchor) {
    case Anchor::Stay: break;
    case Anchor::MoveRight:
        r.left += dx;
        r.right += dx;
        break;
    case Anchor::GrowWidth: r.right += dx; break;
    case Anchor::GrowBoth:
        r.right += dx;
        r.bottom += dy;
        break;
    }
    // A control never turns inside out when the dialog is made smaller than its template.
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

}  // namespace pv
