// Writing the wallpaper file and making it the desktop's.
#pragma once

#include <string>
#include <vector>

#include "imaging/ImageBuffer.h"
#include "view/ViewTypes.h"

namespace pv {

// Where the wallpaper file may go, in order: the Windows folder, then (an ordinary user
// cannot write there) the user's local application-data folder for Pictavo.
std::vector<std::wstring> WallpaperFolders();

// Writes `cut` of `source` as NorelWallpaper.bmp into the first of `folders` where it can be
// written, through a temporary file moved into place. The path written, or empty when it
// could be written nowhere (no half-written file is left).
std::wstring WriteWallpaperFile(const ImageBuffer& source, const Rect& cut, const std::vector<std::wstring>& folders);

// The written file becomes the desktop wallpaper; a file that was not written never does.
bool SetDesktopWallpaper(const std::wstring& path);

}  // namespace pv
