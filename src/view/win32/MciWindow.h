// The media window of one image view: the platform's MCI window, a child of the view, that
// plays audio and video files with its own play bar and menu button.
#pragma once

#include <string>

#include "framework/Window.h"
#include "view/MediaWindow.h"

namespace pv {

class MciWindow final : public MediaWindow {
public:
    explicit MciWindow(const Window& view) : view_(view) {}

    [[nodiscard]] bool Exists() const override;
    void Close() override;
    void StopAndCloseMedium() override;
    void Play(const std::string& path) override;

    [[nodiscard]] HWND hwnd() const { return window_; }

private:
    const Window& view_;
    HWND window_ = nullptr;
    bool reuse_ = false;
};

}  // namespace pv
