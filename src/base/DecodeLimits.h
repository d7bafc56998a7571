// The decode budget: one constant that bounds what any reader may allocate for a picture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Status.h"

namespace pv {

// A picture is refused before anything large is allocated when the buffers its reader
// holds at once (the decoded 24-bit rows and any staging beside them) would exceed this.
// A GIF animation counts all of its composited canvases together.
inline constexpr size_t kDecodeBudget = size_t{1} << 30;

// Ok when width and height are positive and a 24-bit top-down buffer of that size (rows
// padded to 4 bytes) plus `stagingBytes` fits the budget; BadHeader for non-positive
// sizes, TooLarge otherwise.
[[nodiscard]] Status CheckPictureSize(int64_t width, int64_t height, size_t stagingBytes = 0);

// Bytes of a 24-bit buffer of the given size, or 0 when it is not within the budget.
[[nodiscard]] size_t Budgeted24BitSize(int64_t width, int64_t height);

}  // namespace pv
