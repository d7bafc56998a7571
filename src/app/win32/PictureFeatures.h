// What one frame keeps for taking pictures out and in: the wallpaper source last chosen, the
// printer chosen by Page Setup or Print, and the print preview while it runs.
#pragma once

#include <memory>

#include "base/win32/Handles.h"
#include "framework/WinInclude.h"

namespace pv {

class CMainFrame;
class PrintPreviewWindow;

class PictureFeatures {
public:
    explicit PictureFeatures(CMainFrame& frame);
    ~PictureFeatures();
    PictureFeatures(const PictureFeatures&) = delete;
    PictureFeatures& operator=(const PictureFeatures&) = delete;

    CMainFrame& frame;
    int32_t wallpaperSource = 0;
    UniqueGlobal devMode;
    UniqueGlobal devNames;
    std::unique_ptr<PrintPreviewWindow> preview;

    [[nodiscard]] bool PreviewRunning() const;
    // UM_COPYPREVIEW: wParam the source choice, lParam the wallpaper dialog.
    void CopyPreview(WPARAM source, LPARAM dialog);
    // The preview takes the splitter's place in the frame's client area.
    void Layout(HWND splitter);
    // The frame is closing: the clipboard is emptied only while it still holds our bitmap.
    void FrameEnding();
};

}  // namespace pv
