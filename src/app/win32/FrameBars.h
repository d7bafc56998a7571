// The frame's bars as data: the buttons and labels of tool bars 1 and 2, the status-bar panes,
// and the keyword bar that lives on the status bar (label, edit box 229, buttons 240..244).
#pragma once

#include <array>
#include <memory>
#include <span>

#include "framework/ImageButton.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

namespace pv {

std::span<const ToolButtonSpec> ToolBar1Buttons();
std::span<const ToolButtonSpec> ToolBar2Buttons();
ToolBarSpec ToolBar1Spec();
ToolBarSpec ToolBar2Spec();
// Panes 0, 246, 226, 230..234 with their widths at 100 %.
std::span<const StatusPaneSpec> FrameStatusPanes();

inline constexpr const wchar_t* kKeywordLabel = L"Type in the keyword to find:";
// Tool tips of buttons 240..244.
std::span<const wchar_t* const> KeywordButtonTips();

// The frame's client area from top to bottom: the rebar (when shown) across the top, the
// status bar (when shown) along the bottom, and `body` (the splitter) in between.
void LayOutFrame(HWND frame, HWND rebar, HWND statusBar, HWND body);

// The keyword bar's controls, children of the status bar, hosted over panes 226 and 230..234.
class KeywordBar {
public:
    bool Create(StatusBar& statusBar);

    [[nodiscard]] HWND Edit() const { return edit_; }

    [[nodiscard]] HWND Label() const { return label_; }

    [[nodiscard]] ImageButton& Button(int k) { return *buttons_[static_cast<size_t>(k)]; }

private:
    HWND label_ = nullptr;
    HWND edit_ = nullptr;
    std::array<std::unique_ptr<ImageButton>, 5> buttons_;
};

}  // namespace pv
