// CMainFrame: the top-level window of one frame thread. It owns the bars, the status bar,
// the splitter with the image view and the thumbnail pane, and dispatches every command,
// accelerator and private frame message.
#pragma once

#include <memory>
#include <string>

#include "app/FrameSettings.h"
#include "app/NavigationList.h"
#include "app/Navigator.h"
#include "app/win32/FrameBars.h"
#include "framework/CommandBar.h"
#include "framework/MessageLoop.h"
#include "framework/Splitter.h"
#include "framework/StatusBar.h"
#include "framework/UpdateUi.h"
#include "framework/Window.h"
#include "view/win32/Tavi5View.h"

namespace pv {

class ThumbsPlaceholder;

class CMainFrame final : public Window, public MessageFilter, public IdleHandler, public NavigatorHost {
public:
    // `lists` are the process's shared lists; they outlive the frame.
    explicit CMainFrame(SharedLists& lists);
    ~CMainFrame() override;

    // Creates the frame with the stored rectangle, titled with the product name.
    bool CreateFrame(const StoredRect& rect);

    bool PreTranslateMessage(MSG* msg) override;
    bool OnIdle() override;

    // Fit-to-window as the frame starts (stored FitToWindow 1): the flag, its menu check
    // and its tool-bar state.
    void SetFitToWindow(bool on);

    [[nodiscard]] int32_t fitToWindow() const { return fitToWindow_ ? 1 : 0; }

    // View mode: 0 image view only, -1 both panes, 1 thumbnails only.
    void ApplyViewMode(int32_t mode);

    [[nodiscard]] int32_t viewMode() const { return viewMode_; }

    [[nodiscard]] bool fullScreen() const { return fullScreen_; }

    // The command-line file road: the file's folder becomes the list, the file is shown.
    void OpenCommandLineFile(const std::string& fullPath);
    // The folder road: the browse dialog for the folder. Returns false when the user
    // cancelled it (the frame then closes). The browse dialog is not built yet: the frame
    // opens empty.
    bool BrowseFolderArgument(const std::string& folder);

    [[nodiscard]] CTavi5View& view() { return view_; }

    [[nodiscard]] const Navigator& navigator() const { return navigator_; }

    // NavigatorHost
    int OpenInView(bool fit, const std::string& path) override;
    [[nodiscard]] ViewTextState ViewState() const override;
    void SetCounterText(const std::string& text) override;
    void SetTitleText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void StopWorkers() override;

    [[nodiscard]] int32_t ViewMode() const override { return viewMode_; }

    void ShowBothPanes() override;
    void StoreOpenFile(const std::string& path) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OnCreate();
    void CreateBars();
    void CreatePanes();
    void InitUpdateUi();
    void ReadFrameSettings();
    void Layout();
    void OnClose();
    bool OnPrivateMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void OnCommand(UINT id);
    bool OnViewCommand(UINT id);
    bool OnListCommand(UINT id);
    void OnEffect(UINT id);
    void OnFileOpen();
    void OnSaveAs();
    void OnResize();
    void OnHelp();
    void OnToggle();
    void ToggleFullScreen();
    void EnterFullScreen();
    void LeaveFullScreen();
    void ShowToolBarBand(bool show);
    void ShowStatusBar(bool show);
    void SyncFilterChecks();
    bool ScrollKey(MSG* msg);
    void BuildFolderListFor(const std::string& path);

    CommandBar commandBar_;
    HWND counter_ = nullptr;
    HWND toolBar1_ = nullptr;
    HWND toolBar2_ = nullptr;
    HWND folderBox_ = nullptr;
    HWND rebar_ = nullptr;
    StatusBar statusBar_;
    KeywordBar keywordBar_;
    Splitter splitter_;
    CTavi5View view_;
    std::unique_ptr<ThumbsPlaceholder> thumbs_;
    UpdateUi ui_;
    HACCEL accelerators_ = nullptr;

    ShownNavigationList list_;
    Navigator navigator_;

    bool fitToWindow_ = false;
    int32_t viewMode_ = 0;
    int32_t fileManager_ = 0;
    int32_t resizeFilterIndex_ = 1;
    EffectFlags effects_;
    bool fullScreen_ = false;
    WINDOWPLACEMENT savedPlacement_{};
};

}  // namespace pv
