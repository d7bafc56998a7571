// The 24-bit bottom-up BMP the program writes (Save As, the wallpaper file, the CLI).
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/ImageBuffer.h"

namespace pv {

// Encodes any ImageBuffer (palette pictures expanded to blue, green, red) as a 24-bit
// BMP: 54-byte header, rows bottom-up, each padded with zeros to 4 bytes.
std::vector<uint8_t> Encode24BitBmp(const ImageBuffer& image);

}  // namespace pv
