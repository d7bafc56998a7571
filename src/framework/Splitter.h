// A two-pane splitter window: two child panes side by side with a divider the user drags,
// single-pane modes (-1 both, 0 left only, 1 right only) and an optional proportional divider
// that keeps its fraction of the width when the splitter is resized.
#pragma once

#include "framework/SplitterLayout.h"
#include "framework/Window.h"

namespace pv {

class Splitter : public Window {
public:
    // A child filling rect of parent, with control id.
    bool CreateSplitter(HWND parent, const RECT& rect, UINT id);

    // The panes become children of the splitter.
    void SetPanes(HWND left, HWND right);

    [[nodiscard]] HWND Pane(int index) const { return index == 0 ? left_ : right_; }

    // -1 both panes, 0 left only, 1 right only.
    void SetSinglePaneMode(int32_t mode);

    [[nodiscard]] int32_t SinglePaneMode() const { return mode_; }

    // Divider's left edge in client pixels; fixes the pixel position (no longer proportional).
    void SetSplitterPos(int32_t pos);

    [[nodiscard]] int32_t SplitterPos() const { return pos_; }

    // Divider at a fraction of the current client width, kept through resizes until a pixel
    // position is set.
    void SetSplitterFraction(double fraction);

    [[nodiscard]] bool IsProportional() const { return fraction_ > 0.0; }

    // The pane with the focus when the splitter gets it.
    void SetActivePane(int index) { activePane_ = index; }

    [[nodiscard]] int ActivePane() const { return activePane_; }

    void SetBarWidth(int32_t width) { barWidth_ = width; }

    [[nodiscard]] int32_t BarWidth() const { return barWidth_; }

    // Places the panes again (after a size change or a mode change).
    void UpdateLayout();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    [[nodiscard]] SplitRect Client() const;
    void OnPaint();
    bool OnSetCursor();
    void OnLButtonDown(int x);
    void OnMouseMove(int x);

    HWND left_ = nullptr;
    HWND right_ = nullptr;
    int32_t mode_ = kSplitBoth;
    int32_t pos_ = 0;
    double fraction_ = 0.0;
    int32_t barWidth_ = 4;
    int activePane_ = 0;
    bool dragging_ = false;
    int dragOffset_ = 0;
};

}  // namespace pv
