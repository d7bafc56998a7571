// The clipboard's pixel layouts: what Copy hands the system (32-bit rows of blue, green,
// red and an unused byte) and what Paste takes back (24- or 32-bit device bitmap rows).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Status.h"
#include "view/DisplayBuffer.h"
#include "view/ImageView.h"

namespace pv {

inline constexpr const char* kCantOpenClipboardToCopy = "Can't open clipboard to copy";
inline constexpr const char* kCantCopyBitmap = "Can't copy bitmap";
inline constexpr const char* kCantOpenClipboardToPaste = "Can't open clipboard to paste";
inline constexpr const char* kCantOpenBitmapFromClipboard = "Can't open bitmap from the clipboard";
inline constexpr const char* kCantPasteBitmap = "Can't paste bitmap";

// The shown picture as rows of 4 x width bytes, top row first, the fourth byte 0. Empty
// when there is nothing shown or the copy would exceed the decode budget.
[[nodiscard]] std::vector<uint8_t> PackForClipboard(const DisplayBuffer& shown);

// A device bitmap's rows (widthBytes each, top row first, bitsPerPixel / 8 bytes a pixel)
// as the view's 24-bit picture: the first three bytes of every pixel. Unsupported below 24
// bits; BadHeader when the sizes do not describe `bits`; TooLarge past the decode budget.
[[nodiscard]] Status UnpackClipboardBits(int32_t width,
                                         int32_t height,
                                         int32_t widthBytes,
                                         int32_t bitsPerPixel,
                                         std::span<const uint8_t> bits,
                                         HeldPicture& out);

}  // namespace pv
