// The wallpaper dialog's arithmetic: the preview of the chosen source shrunk into the
// preview box, the selection with the screen's proportions and how it slides, the cut in
// source pixels, and the 24-bit BMP the cut is written as.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/Status.h"
#include "imaging/ImageBuffer.h"
#include "view/ViewTypes.h"

namespace pv {

inline constexpr const char* kWallpaperFileName = "NorelWallpaper.bmp";

// The preview picture: 24-bit top-down rows of RowStride(24, width) bytes.
struct WallpaperPreview {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// The source as it is when it is smaller than the box less 2 pixels each way; otherwise
// shrunk by f = min((box width - 4) / width, (box height - 4) / height) (32-bit floats)
// with nearest-neighbour sampling. Any depth the view holds is read (palette pictures
// through their palette). BadHeader for an empty source or a box too small to show one.
[[nodiscard]] Status MakeWallpaperPreview(const ImageBuffer& source, ClientSize box, WallpaperPreview& out);

// Where the preview picture sits in the box: centred, integer halving.
[[nodiscard]] Point PreviewOffset(ClientSize box, int32_t pictureWidth, int32_t pictureHeight);

// The largest rectangle with the screen's proportions inside the preview picture, centred,
// in box pixels.
[[nodiscard]] Rect InitialSelection(ClientSize screen, Point offset, int32_t pictureWidth, int32_t pictureHeight);

// The selection as it was at the press, moved by (dx, dy) in each direction where it stays
// inside the picture (so it slides along an edge); its size never changes.
[[nodiscard]] Rect SlideSelection(const Rect& atPress,
                                  int32_t dx,
                                  int32_t dy,
                                  Point offset,
                                  int32_t pictureWidth,
                                  int32_t pictureHeight);

// The selection in source pixels (left, top, right, bottom), kept inside the source.
[[nodiscard]] Rect WallpaperCut(const Rect& selection,
                                Point offset,
                                int32_t pictureWidth,
                                int32_t pictureHeight,
                                int32_t sourceWidth,
                                int32_t sourceHeight);

// Receives the file's bytes in order; false stops the writing.
using ByteSink = std::function<bool(std::span<const uint8_t>)>;

// Writes `cut` of `source` as a 24-bit BMP: the 54-byte header, then the rows from the
// bottom up, each padded with zeros to 4 bytes. One row is held at a time. TooLarge when
// the file's size does not fit its 32-bit field; IoError when the sink refuses.
[[nodiscard]] Status WriteWallpaperBmp(const ImageBuffer& source, const Rect& cut, const ByteSink& sink);

}  // namespace pv
