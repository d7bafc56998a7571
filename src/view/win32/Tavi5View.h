// CTavi5View: the pane that shows the current picture. A thin window over the portable
// ImageView: it forwards size, scroll, wheel, click and drag to the model, paints the
// display buffer, and plays animations on a worker thread of its own.
#pragma once

#include <string>

#include "base/win32/Handles.h"
#include "framework/Window.h"
#include "view/AnimationWorker.h"
#include "view/ImageView.h"
#include "view/win32/MciWindow.h"

namespace pv {

class CTavi5View final : public Window, public ScrollHost, public ImageViewEvents, public AnimationSurface {
public:
    CTavi5View();
    ~CTavi5View() override;

    bool CreateView(HWND parent, UINT controlId);

    // Loads and lays out a file (fit or centre); 0 when nothing could be shown. Safe to call
    // again while one of its message boxes is up: the later call wins.
    int OpenInView(bool fit, const std::string& path);

    // The frame's commands.
    void OriginalSize();
    void ZoomIn();
    void ZoomOut();
    void SetFilter(int32_t filter);
    void SetEffects(const EffectFlags& effects);
    // Fit to window switched on or off: the picture is laid out again (never enlarged).
    void SetFitFlag(bool fit);
    // Stretches the display to exactly width x height through `filter`; false (nothing
    // changed) for a size the view cannot show.
    bool ApplyResize(int32_t width, int32_t height, int32_t filter);
    // "New": the pane in its background colour; the picture returns with the next paint.
    void PaintBackgroundOnly();
    // Shows a picture that came from no file (a paste, a capture) under `name`.
    void AdoptPicture(HeldPicture picture, const std::string& name);
    // Back to 100 % with the picture as it is (a paste that brought no picture).
    void ResetZoomOnly();

    // Runs `use` with what the view shows, under the view's lock: the picture (null when
    // there is none) and the model's zoom, scroll and effect state.
    template <typename Use>
    auto WithShown(Use use) {
        std::lock_guard hold(lock());
        RenderIfStill();
        return use(model_.ImageReady() ? model_.Image() : nullptr, model_);
    }

    [[nodiscard]] HWND MediaWindowHandle() const { return media_.hwnd(); }

    // For the window's own thread. The animation worker changes nothing of it but the
    // display buffer and the frame shown: take those through ShownPicture.
    [[nodiscard]] const ImageView& model() const { return model_; }

    // A copy of the display buffer as last drawn (for an animation, the frame on screen);
    // empty when no picture is loaded.
    [[nodiscard]] DisplayBuffer ShownPicture();

    [[nodiscard]] AnimationState AnimationWorkerState() const { return worker_.State(); }

    // Draws the client area into any device context (WM_PAINT and WM_PRINTCLIENT share it).
    void Paint(HDC dc);

    // ImageViewEvents
    void StopAnimation() override;
    void StartAnimation() override;
    void FillBackground() override;
    void ShowMessage(std::string_view text, std::string_view caption) override;

    // ScrollHost
    [[nodiscard]] ClientSize Client() const override;
    [[nodiscard]] bool HasBar(ScrollBar bar) const override;
    [[nodiscard]] int32_t BarThickness(ScrollBar bar) const override;
    void SetScrollRange(ScrollBar bar, int32_t maximum) override;
    void SetScrollPos(ScrollBar bar, int32_t position) override;
    void Invalidate(bool erase) override;
    void Redraw() override;
    void NotifyZoomChanged() override;

    // AnimationSurface (on the worker's thread)
    void DrawFrame(size_t frame) override;
    bool PostPassStart() override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnScroll(ScrollBar bar, WPARAM wp);
    void OnWheel(WPARAM wp, LPARAM lp);
    void OnLeftButtonDown(LPARAM lp);
    void OnContextMenu(LPARAM lp);
    void OnMenuCommand(UINT id);
    void FillUncovered(HDC dc, const PaintPlan& plan) const;
    void DrawDisplay(HDC dc, const PaintPlan& plan) const;
    void NotifyFrame(UINT message, WPARAM wp) const;
    HWND FrameWindow() const;
    [[nodiscard]] bool OnWindowThread() const;
    void OnAnimationPass(WPARAM serial);
    void SyncScrollBars();
    // The display buffer as the view's state makes it now (a paint may not have come yet);
    // an animation's worker renders its own frames.
    void RenderIfStill();

    [[nodiscard]] ViewLock& lock() { return worker_.lock(); }

    ImageView model_;
    AnimationWorker worker_{model_, *this};
    UniqueBrush background_;
    UniqueMenu contextMenu_;
    // Tells a pass-start request of an earlier animation from the current one's.
    WPARAM animationSerial_ = 0;
    MciWindow media_{*this};
};

}  // namespace pv
