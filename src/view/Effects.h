// The six display effects. They work on the display buffer after scaling, never on the
// decoded picture, so switching one off restores the picture at the next paint.
#pragma once

#include <cstdint>

#include "view/DisplayBuffer.h"
#include "view/ViewTypes.h"

namespace pv {

// Runs the effects that are on, in their fixed order: Gray Scale, Horizontal Flip,
// Vertical Flip, Negative, Glass, StippledGlass. `grey` is the background grey level that
// StippledGlass writes.
void ApplyEffects(DisplayBuffer& buffer, const EffectFlags& effects, uint8_t grey);

}  // namespace pv
