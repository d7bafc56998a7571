// CWallpaperDlg: a preview of the chosen source with a frame, of the screen's proportions,
// that the user drags to the part to use as the desktop wallpaper.
#pragma once

#include "framework/Dialog.h"
#include "imaging/ImageBuffer.h"
#include "shell/Wallpaper.h"

namespace pv {

class CWallpaperDlg final : public Dialog {
public:
    // The frame fills the preview through UM_COPYPREVIEW (lParam: this dialog).
    explicit CWallpaperDlg(HWND frame);

    // 0 "Source image", 1 "Image in view window": set before, read after.
    int32_t source = 0;
    // On OK: the part chosen, in pixels of the source (left, top, right, bottom).
    Rect result;

    // The frame's answer to UM_COPYPREVIEW: the chosen source (null when there is none).
    void FillPreview(const ImageBuffer* picture);

    // The selection in preview-box pixels (tests read and move it).
    [[nodiscard]] const Rect& selection() const { return selection_; }

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnInitDialog() override;
    void OnOk() override;
    void OnCommand(UINT id, UINT code, HWND control) override;

private:
    void Prepare();
    void PaintBox(HDC dc) const;
    void Outline(HDC dc, const Rect& r) const;
    void DragSelection(POINT press);

    HWND frame_;
    HWND box_ = nullptr;
    ClientSize boxSize_;
    ClientSize screen_;
    int32_t sourceWidth_ = 0;
    int32_t sourceHeight_ = 0;
    WallpaperPreview preview_;
    Point offset_;
    Rect selection_;
};

}  // namespace pv
