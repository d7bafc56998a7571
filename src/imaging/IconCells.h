// The strip of 64 x 64 cells that icon and cursor files are shown as, one cell per image
// of the file, and the drawing of one bitmap-format image into its cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/Status.h"
#include "imaging/ClassHeap.h"
#include "imaging/ImageBuffer.h"

namespace pv {

inline constexpr size_t kIconCellSize = 64;
inline constexpr uint8_t kIconBackground = 216;
inline constexpr size_t kIconHeaderSize = 40;
// Icon and cursor files of more images are refused.
inline constexpr size_t kMaxIconImages = 32;

// True when the image data is a PNG stream rather than a bitmap.
[[nodiscard]] bool IsPngIconImage(std::span<const uint8_t> image);

struct IconImage {
    std::span<const uint8_t> data;  // from the 40-byte information header on
    size_t width = 0;               // pixels a stored row
    size_t height = 0;              // stored rows, the bottom row first
    uint16_t bitCount = 0;
    size_t paletteEntries = 0;  // 4-byte entries after the header; the rows follow them
};

enum class CellAlign {
    Top,
    Bottom
};

// The icon and cursor directory: a 6-byte header with the image count, then one 16-byte
// entry per image.
inline constexpr size_t kIconDirectoryStart = 6;
inline constexpr size_t kIconEntrySize = 16;

// Draws directory entry `index` of `file` into its cell of `strip`.
using DrawIconEntry = Status (*)(std::span<const uint8_t> file, size_t index, const ImageBuffer& strip);

// Reads the directory (at most `maxImages` entries; 0 sets no limit), makes the strip of
// cells in `shade` and draws every entry into it. A directory that does not fit the file is
// refused before the strip is allocated; an entry that fails refuses the whole file.
[[nodiscard]] Status ReadIconStrip(std::span<const uint8_t> file,
                                   size_t maxImages,
                                   HeapBlock& rows,
                                   HeapId heap,
                                   uint8_t shade,
                                   DrawIconEntry draw,
                                   ImageBuffer& image);

// Allocates a strip of `count` cells filled with `shade` and describes it in `image`.
[[nodiscard]] Status MakeIconStrip(HeapBlock& rows, HeapId heap, size_t count, uint8_t shade, ImageBuffer& image);

// Draws the colour rows (4-byte padded, bottom-up) of a 1, 4, 8, 24 or 32-bit image into
// cell `cell`, upright, against the top or the bottom of the cell; pixels outside the cell
// are clipped and rows the data does not hold are left as they are. False for other bit
// counts, drawing nothing.
bool DrawIconImage(const IconImage& image, const ImageBuffer& strip, size_t cell, CellAlign align);

// Paints the image's rectangle (clipped to the cell) in one colour.
void FillIconImage(const IconImage& image, const ImageBuffer& strip, size_t cell, CellAlign align, Bgr colour);

// Palette entry `index` of the image (black when the data does not hold it).
[[nodiscard]] Bgr IconPaletteEntry(const IconImage& image, size_t index);

}  // namespace pv
