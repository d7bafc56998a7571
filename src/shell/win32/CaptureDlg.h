// CCaptureDlg: lists the visible top-level windows and the desktop, and grabs the chosen
// one as a picture.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/Dialog.h"
#include "view/ImageView.h"

namespace pv {

class CCaptureDlg final : public Dialog {
public:
    CCaptureDlg();

    // The picture grabbed on OK: the window's size, 24-bit top-down.
    HeldPicture picture;

    // The windows the list offers besides the desktop, as found (title, handle).
    static std::vector<std::pair<std::string, HWND>> ListWindows();

protected:
    bool OnInitDialog() override;
    void OnOk() override;

private:
    bool Grab(HWND target);
};

}  // namespace pv
