// CResizeDlg: asks for a new display width and height and the filter to stretch with.
#pragma once

#include <cstdint>

#include "framework/Dialog.h"

namespace pv {

class CResizeDlg final : public Dialog {
public:
    CResizeDlg();

    // In: the picture's size and the kept filter index; out on IDOK: the entered size and
    // the chosen filter index (0 nearest neighbour, 1 bilinear).
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t filterIndex = 1;

protected:
    bool OnInitDialog() override;
    void OnOk() override;
};

}  // namespace pv
