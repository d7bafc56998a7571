// A push button drawn from a strip of three pictures (normal, pressed, disabled), with a tool
// tip. A click sends WM_COMMAND (BN_CLICKED, the control id) to the parent.
#pragma once

#include <string>

#include "base/win32/Handles.h"
#include "framework/Window.h"

namespace pv {

class ImageButton : public Window {
public:
    // strip: bitmap resource with three images of imageWidth x imageHeight side by side.
    bool CreateButton(HWND parent, UINT id, UINT stripId, int imageWidth, int imageHeight, const std::wstring& toolTip);

    [[nodiscard]] UINT id() const { return id_; }

    [[nodiscard]] const std::wstring& toolTip() const { return toolTip_; }

    // A latched button shows its pressed picture until it is let go (radio groups).
    void SetLatched(bool latched);

    [[nodiscard]] bool Latched() const { return latched_; }

    // 0 normal, 1 pressed, 2 disabled: the image drawn now.
    [[nodiscard]] int Face() const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc);
    void AddToolTip();

    UniqueBitmap strip_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    UINT id_ = 0;
    std::wstring toolTip_;
    HWND tip_ = nullptr;
    bool pressed_ = false;
    bool tracking_ = false;
    bool latched_ = false;
};

}  // namespace pv
