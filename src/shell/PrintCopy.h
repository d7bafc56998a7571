// The printed page: the scale from screen to printer pixels, the copy of what the view
// shows rendered afresh at printer resolution, and where it goes on the page.
#pragma once

#include <cstdint>

#include "base/Status.h"
#include "imaging/ImageBuffer.h"
#include "view/DisplayBuffer.h"
#include "view/ViewTypes.h"

namespace pv {

inline constexpr const char* kPrintDocumentName = "VarOzav Document";
inline constexpr const char* kUnableToPrint = "Unable to print. Check printer";
inline constexpr const char* kPrinterCaption = "Printer";
inline constexpr const char* kImpossibleCopyToPrinter = "Impossible Copy Data to Printer";
inline constexpr const char* kNoMemoryForPrinting = "Not inough memory for printing";
inline constexpr const char* kNorelCaption = "Norel";

// Printer pixels per millimetre over screen pixels per millimetre, each quotient a 32-bit
// float; 0 when a device reports a size of 0.
[[nodiscard]] float PrintScale(int32_t printerPixels,
                               int32_t printerMillimetres,
                               int32_t screenPixels,
                               int32_t screenMillimetres);

// What the view shows, as the print copy needs it.
struct PrintSource {
    const ImageBuffer* image = nullptr;
    int32_t zoomedWidth = 0;
    int32_t zoomedHeight = 0;
    ClientSize client;
    int32_t hPos = 0;
    int32_t vPos = 0;
    int32_t filter = 2;
    EffectFlags effects;  // only Gray Scale and Horizontal Flip are printed
};

// The visible window of the zoomed picture scaled by f, sampled from the picture (bilinear
// with filter 2, in either direction of scaling; nearest neighbour with filter 1), then
// Gray Scale and Horizontal Flip. NotFound when there is nothing to print; TooLarge or
// OutOfMemory when the copy cannot be had.
[[nodiscard]] Status RenderPrintCopy(const PrintSource& source, float f, DisplayBuffer& out);

struct PagePlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;  // destination size on the page
    int32_t height = 0;
};

// Centred on the printable area; a copy larger than the page is squeezed to it in that
// direction only.
[[nodiscard]] PagePlacement PlaceOnPage(ClientSize printable, int32_t printWidth, int32_t printHeight);

}  // namespace pv
