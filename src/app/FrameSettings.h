// The values a frame reads when it starts and writes when it closes, under the program's
// settings key. Missing values and values of the wrong shape leave the defaults.
#pragma once

#include <cstdint>
#include <string>

#include "shell/ShellSettings.h"

namespace pv {

struct StoredRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 800;
    int32_t bottom = 640;

    [[nodiscard]] int32_t Width() const { return right - left; }

    [[nodiscard]] int32_t Height() const { return bottom - top; }

    friend bool operator==(const StoredRect&, const StoredRect&) = default;
};

struct FrameStartSettings {
    StoredRect windowRect;
    int32_t thumbsMode = 0;
    int32_t fitToWindow = 0;
    int32_t farComm = 0;
    int32_t totalComm = 0;
};

// Reads WindowRect (only a 16-byte binary value counts; an empty rectangle also keeps the
// default 800 x 640), ThumbsMode, FitToWindow, FarComm and TotalComm.
FrameStartSettings ReadFrameStartSettings();

// Writes WindowRect, ThumbsMode and FitToWindow, creating the key when missing. Failures
// are silent: a setting that cannot be stored is simply not stored.
void WriteFrameCloseSettings(const StoredRect& windowRect, int32_t thumbsMode, int32_t fitToWindow);

// The other values of the program key that the shell reads and writes one at a time. Each
// reader answers its default for a missing value or one of the wrong type or size.

// OpenFile, the File Open dialog's initial name: at most 259 bytes, else empty.
std::string ReadOpenFile();
void WriteOpenFile(const std::string& path);
// The folder road's TreeFullPath: the folder with one "\" appended and its first character
// in lower case.
void WriteFolderArgumentRoot(const std::string& folder);
// CheckRunAuto: 1 makes the browse dialog search as soon as it opens.
void WriteCheckRunAuto(int32_t value);

struct WorkArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Position of a window of the given size centred on the work area; a window larger than
// the area keeps its top-left corner inside it.
StoredRect CentreOnWorkArea(const WorkArea& area, int32_t width, int32_t height);

}  // namespace pv
