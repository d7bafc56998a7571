// A pane with a title strip and a close button over one client window. The close button sends
// WM_COMMAND with the close command (ID_PANE_CLOSE by default) to the container's parent.
#pragma once

#include <string>

#include "framework/Window.h"

namespace pv {

class PaneContainer : public Window {
public:
    bool CreatePane(HWND parent, UINT id, const std::wstring& title, UINT closeCommand);
    void SetClient(HWND client);

    [[nodiscard]] HWND Client() const { return client_; }

    void SetTitle(const std::wstring& title);

    [[nodiscard]] const std::wstring& Title() const { return title_; }

    // Height of the title strip in pixels at the window's scaling.
    [[nodiscard]] int TitleHeight() const;
    // The close button's rectangle in client coordinates.
    [[nodiscard]] RECT CloseRect() const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Layout();
    void Paint(HDC dc);

    HWND client_ = nullptr;
    std::wstring title_;
    UINT closeCommand_ = 0;
    bool closePressed_ = false;
};

}  // namespace pv
