// The frame's searching and recent files: the Folders command, the browse dialog of a folder
// argument, the dialogs' messages to the frame (UM_OPENPATH, UM_SEARCHDONE), the "Recent
// Files" submenu and its drop-down.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/RecentFiles.h"
#include "app/win32/MruList.h"
#include "framework/WinInclude.h"

namespace pv {

class CMainFrame;
class CTVdlg;

class FrameSearch {
public:
    explicit FrameSearch(CMainFrame& frame);

    // Create handler: the list's maximum becomes 12, then the stored list is read.
    void OnCreate(HMENU mainMenu);

    void Folders();
    // Returns false when the user cancelled (the frame then closes).
    bool BrowseFolder(const std::string& folder);
    void OnOpenPath();
    void OnSearchDone();

    void AddRecent(const std::string& path);
    void OpenRecent(uint32_t id);
    void ShowDropDown(HWND toolBar, UINT buttonCommand);

    [[nodiscard]] const RecentFiles& recent() const { return recent_; }

    [[nodiscard]] HMENU RecentSubmenu() const { return submenu_; }

    [[nodiscard]] HWND DropDownWindow() const { return dropDown_.hwnd(); }

private:
    void RebuildMenu();

    CMainFrame& frame_;
    RecentFiles recent_;
    HMENU submenu_ = nullptr;
    std::string emptyText_ = "(empty)";
    CMruList dropDown_;
    const CTVdlg* treeDialog_ = nullptr;
    bool openedAsFile_ = false;
};

}  // namespace pv
