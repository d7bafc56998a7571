// CMainFrame: the top-level window of one frame thread. It owns the bars, the status bar,
// the splitter with the image view and the thumbnail pane, and dispatches every command,
// accelerator and private frame message through its command table, which each feature
// fills from its own file (FrameCommands.h).
#pragma once

#include <memory>
#include <string>

#include "app/CommandTable.h"
#include "app/FrameSettings.h"
#include "app/NavigationList.h"
#include "app/Navigator.h"
#include "app/ViewMode.h"
#include "app/win32/FrameBars.h"
#include "app/win32/FrameSearch.h"
#include "base/win32/Handles.h"
#include "framework/CommandBar.h"
#include "framework/MessageLoop.h"
#include "framework/Splitter.h"
#include "framework/StatusBar.h"
#include "framework/UpdateUi.h"
#include "framework/Window.h"
#include "thumbs/win32/ThumbView.h"
#include "view/win32/Tavi5View.h"

namespace pv {

class PictureFeatures;
class KeywordFeature;

class CMainFrame final : public Window, public MessageFilter, public IdleHandler, public NavigatorHost {
public:
    // `lists` are the process's shared lists; they outlive the frame.
    explicit CMainFrame(SharedLists& lists);
    ~CMainFrame() override;

    // Creates the frame with the stored rectangle, titled with the product name.
    bool CreateFrame(const StoredRect& rect);

    bool PreTranslateMessage(MSG* msg) override;
    bool OnIdle() override;

    // Fit-to-window: the flag, its menu check and its tool-bar state.
    void SetFitToWindow(bool on);

    [[nodiscard]] bool fitToWindow() const { return fitToWindow_; }

    void ApplyViewMode(ViewMode mode);

    [[nodiscard]] ViewMode viewMode() const { return modes_.Mode(); }

    [[nodiscard]] bool fullScreen() const { return modes_.FullScreen(); }

    // The command-line file road: the file's folder becomes the list, the file is shown.
    void OpenCommandLineFile(const std::string& fullPath);
    // The folder road: the browse dialog for the folder. Returns false when the user
    // cancelled it (the frame then closes).
    bool BrowseFolderArgument(const std::string& folder);

    // What the features' command handlers work with.
    [[nodiscard]] CTavi5View& view() { return view_; }

    [[nodiscard]] Navigator& navigator() { return navigator_; }

    [[nodiscard]] const Navigator& navigator() const { return navigator_; }

    [[nodiscard]] int32_t EntryCount() const { return list_.EntryCount(); }

    [[nodiscard]] SharedLists& lists() const { return list_.lists(); }

    [[nodiscard]] CommandTable& commands() { return commands_; }

    [[nodiscard]] CThumbView& thumbs() { return thumbs_; }

    // The shown list, its order or contents changed: the thumbnail producer stops and
    // forgets its slots, the thumbnails show with `current` as current record, and that
    // record is opened.
    void ShownListChanged(int32_t current);

    // The file manager "go to the file manager" starts (FileManager, UM_SETFILEMANAGER).
    [[nodiscard]] int32_t fileManager() const { return fileManager_; }

    void Toggle();
    void ToggleFullScreen();
    void ToggleToolBarBand();
    void ToggleStatusBar();
    // The tool bar's folder box.
    void ShowFolder(const std::string& folder);

    [[nodiscard]] FrameSearch& search() { return *search_; }

    [[nodiscard]] HWND ToolBar1() const { return toolBar1_; }

    // What the keywords and names list works with.
    [[nodiscard]] Splitter& splitter() { return splitter_; }

    [[nodiscard]] StatusBar& statusBar() { return statusBar_; }

    [[nodiscard]] KeywordBar& keywordBar() { return keywordBar_; }

    [[nodiscard]] KeywordFeature& keywords() { return *keywords_; }

    // NavigatorHost
    int OpenInView(bool fit, const std::string& path) override;
    [[nodiscard]] ViewTextState ViewState() const override;
    void SetCounterText(const std::string& text) override;
    void SetTitleText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void StopWorkers() override;
    bool BringImageBack() override;
    void StoreOpenFile(const std::string& path) override;
    void ShowInfo(const std::string& text) override;
    void SetThumbCurrent(int32_t index) override;
    void MarkHot(int32_t index) override;
    void ScrollThumbsTo(int32_t index) override;
    void ResetThumbView() override;
    void ShowFolderInThumbs(const std::string& folder) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OnCreate();
    void CreateBars();
    void CreatePanes();
    void ReadFrameSettings();
    void Layout();
    void OnClose();
    bool OnPrivateMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void OnCommand(UINT id);
    void SyncUi();
    void ShowModeInPanes();
    // Toggle and full screen: the thumbnail view shows thumbnails, the panes follow the
    // mode and a visible grid scrolls to the current entry.
    void ShowModeInGrid();
    void EnterFullScreen();
    void LeaveFullScreen();
    // The report list's notifications: row texts, the current row, double-clicks.
    LRESULT OnReportNotify(const NMHDR& header);

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
    CThumbView thumbs_;
    UpdateUi ui_;
    UniqueAccelerators accelerators_;
    CommandTable commands_;

    ShownNavigationList list_;
    Navigator navigator_;

    bool fitToWindow_ = false;
    FrameModes modes_;
    int32_t fileManager_ = 0;
    WINDOWPLACEMENT savedPlacement_{};
    std::unique_ptr<FrameSearch> search_;
    std::unique_ptr<PictureFeatures> pictures_;  // clipboard, capture, wallpaper, printing
    std::unique_ptr<KeywordFeature> keywords_;   // the word pane and the keyword bar
};

}  // namespace pv
