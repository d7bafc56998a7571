// A multi-pane status bar: panes known by id, pane 0 (the first) takes the width the others
// leave, each other pane has a fixed width (scaled to the display). Panes carry text or an icon,
// and child controls can be hosted over a pane; they move with it when the bar is resized, and
// their commands and notifications reach the status bar's parent.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/WinInclude.h"

namespace pv {

struct StatusPaneSpec {
    int id = 0;
    int width = 0;  // at 100 %; ignored for the first pane, which stretches
};

class StatusBar {
public:
    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;
    ~StatusBar();

    bool Create(HWND parent, UINT id, std::span<const StatusPaneSpec> panes);

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    // Index of the pane with this id, or -1.
    [[nodiscard]] int PaneIndex(int paneId) const;
    [[nodiscard]] std::vector<int> PaneIds() const;
    bool SetPaneText(int paneId, const std::wstring& text);
    [[nodiscard]] std::wstring PaneText(int paneId) const;
    bool SetPaneIcon(int paneId, HICON icon);
    // Pane rectangle in status-bar client coordinates (empty when unknown).
    [[nodiscard]] RECT PaneRect(int paneId) const;

    // Keeps child (a child window of hwnd()) over the pane: offset and width at 100 % from the
    // pane's left edge; width 0 fills the rest of the pane.
    void HostInPane(HWND child, int paneId, int offset, int width);

    // The bar's least height in pixels at 100 % (hosted controls need room).
    void SetMinHeight(int px);

    // Recomputes the pane edges and places the hosted children (after the bar was resized).
    void UpdateLayout();

private:
    struct Hosted {
        HWND child;
        int paneId;
        int offset;
        int width;
    };

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    LRESULT OnSubclassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    std::vector<StatusPaneSpec> panes_;
    std::vector<Hosted> hosted_;
};

}  // namespace pv
