// CMainFrame: the top-level window of one frame thread.
#pragma once

#include <string>

#include "app/FrameSettings.h"
#include "framework/MessageLoop.h"
#include "framework/Window.h"

namespace pv {

class CMainFrame final : public Window, public MessageFilter, public IdleHandler {
public:
    // Creates the frame with the stored rectangle, titled with the product name.
    bool CreateFrame(const StoredRect& rect);

    bool PreTranslateMessage(MSG* msg) override;
    bool OnIdle() override;

    // Fit-to-window as the frame starts (stored FitToWindow 1).
    void SetFitToWindow(bool on) { fitToWindow_ = on ? 1 : 0; }
    [[nodiscard]] int32_t fitToWindow() const { return fitToWindow_; }
    // View mode: 0 image view only, -1 both panes, 1 thumbnails only.
    void ApplyViewMode(int32_t mode) { viewMode_ = mode; }
    [[nodiscard]] int32_t viewMode() const { return viewMode_; }

    // The command-line file road: the file's folder becomes the list, the file is shown.
    // Not built yet: the frame opens empty.
    void OpenCommandLineFile(const std::string& fullPath);
    // The folder road: the browse dialog for the folder. Returns false when the user
    // cancelled it (the frame then closes). Not built yet: the frame opens empty.
    bool BrowseFolderArgument(const std::string& folder);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnClose();

    int32_t fitToWindow_ = 0;
    int32_t viewMode_ = 0;
};

}  // namespace pv
