// Makes a dialog resizable: a size grip in the bottom-right corner, a minimum tracking size,
// and its controls moved by their anchors whenever its size changes. The dialog forwards
// WM_SIZE and WM_GETMINMAXINFO.
#pragma once

#include <vector>

#include "framework/AnchorLayout.h"
#include "framework/WinInclude.h"

namespace pv {

struct AnchoredControl {
    int id;
    Anchor anchor;
};

class DialogResizer {
public:
    // Takes the controls' places as laid out now (the template's) as their starting points,
    // gives the dialog a thick frame and a size grip.
    void Attach(HWND dialog, const std::vector<AnchoredControl>& controls, SIZE minimumTrackSize);

    [[nodiscard]] bool Attached() const { return dialog_ != nullptr; }

    void OnSize();
    // True when it filled in the minimum tracking size.
    bool OnGetMinMaxInfo(MINMAXINFO* info) const;

private:
    struct Item {
        HWND hwnd;
        Anchor anchor;
        AnchorRect original;
    };

    HWND dialog_ = nullptr;
    HWND grip_ = nullptr;
    SIZE templateClient_{};
    SIZE minimum_{};
    std::vector<Item> items_;
};

}  // namespace pv
