// Save As: the picture written as JPEG (libjpeg-turbo, its default quality, 4:2:0 chroma
// subsampling) or as a 24-bit BMP, and the names and filters of the save dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Status.h"
#include "imaging/ImageBuffer.h"

namespace pv {

// The save dialog's filter list (pairs of text and pattern, each ended by a NUL, the list
// ended by one more) and its default extension.
inline constexpr std::string_view kSaveFilter{"JPG File (*.jpg)\0*.jpg\0Bitmap File (*.bmp)\0*.bmp\0\0", 52};
inline constexpr std::string_view kSaveDefaultExtension = "jpg";

// The filter chosen in the dialog, counted from 1 as the dialog reports it.
enum class SaveFormat {
    Jpeg = 1,
    Bmp = 2
};

// The dialog's starting name: the current file's name without folder and extension.
std::string DefaultSaveName(std::string_view currentPath);

// The chosen name with the format's extension: the text after the last "." of the file
// name is replaced, or ".jpg" / ".bmp" is appended when the file name has no ".".
std::string SaveNameFor(std::string_view chosenPath, SaveFormat format);

// Encodes a 24-bit picture (blue, green, red, rows top-down) as JPEG.
[[nodiscard]] Status EncodeJpeg(const ImageBuffer& image, std::vector<uint8_t>& out);

// Writes the picture in the format; the target is replaced only by a complete file.
[[nodiscard]] Status SavePicture(const std::string& path, const ImageBuffer& image, SaveFormat format);

}  // namespace pv
