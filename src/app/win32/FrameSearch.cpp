#include "app/win32/FrameSearch.h"

#include <commdlg.h>
#include <utility>

#include "app/win32/ExplorerDlg.h"
#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "app/win32/TVdlg.h"
#include "base/ResourceIds.h"
#include "base/Text.h"
#include "base/win32/Wide.h"
#include "framework/ResourceText.h"

namespace pv {

namespace {

// The popup that holds the recent-file placeholder, searched through the whole menu.
HMENU FindRecentSubmenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i); sub != nullptr) {
            if (HMENU found = FindRecentSubmenu(sub); found != nullptr) {
                return found;
            }
        } else if (GetMenuItemID(menu, i) == ID_FILE_MRU_FIRST) {
            return menu;
        }
    }
    return nullptr;
}

int PositionOf(HMENU menu, UINT id) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == id) {
            return i;
        }
    }
    return -1;
}

std::string FileTitleOf(const std::string& path) {
    wchar_t title[MAX_PATH] = {};
    if (GetFileTitleW(Widen(path).c_str(), title, MAX_PATH) != 0) {
        return std::string(FileNameOf(path));
    }
    return Narrow(title);
}

}  // namespace

FrameSearch::FrameSearch(CMainFrame& frame) : frame_(frame) {}

void FrameSearch::OnCreate(HMENU mainMenu) {
    submenu_ = FindRecentSubmenu(mainMenu);
    if (submenu_ != nullptr) {
        wchar_t text[MAX_PATH] = {};
        if (GetMenuStringW(submenu_, ID_FILE_MRU_FIRST, text, MAX_PATH, MF_BYCOMMAND) > 0) {
            emptyText_ = Narrow(text);
        }
    }
    recent_.SetMaximum(12);
    recent_.Read();
    RebuildMenu();
}

void FrameSearch::RebuildMenu() {
    if (submenu_ == nullptr) {
        return;
    }
    int position = PositionOf(submenu_, ID_FILE_MRU_FIRST);
    if (position < 0) {
        position = GetMenuItemCount(submenu_);
    }
    for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        DeleteMenu(submenu_, id, MF_BYCOMMAND);
    }
    for (const RecentMenuItem& item : recent_.MenuItems(emptyText_)) {
        InsertMenuW(submenu_, static_cast<UINT>(position++),
                    MF_BYPOSITION | MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.id,
                    Widen(item.text).c_str());
    }
}

void FrameSearch::AddRecent(const std::string& path) {
    recent_.Add(path);
    RebuildMenu();
    recent_.Write();
}

void FrameSearch::OpenRecent(uint32_t id) {
    Navigator& navigator = frame_.navigator();
    if (navigator.Busy()) {
        return;
    }
    const std::optional<int32_t> entry = recent_.EntryOfCommand(id);
    if (!entry) {
        MessageBeep(MB_ICONHAND);
        return;
    }
    const std::string path = recent_.Entry(*entry);
    if (navigator.OpenRecentFile(path)) {
        recent_.MoveToTop(*entry);
        RebuildMenu();
        const std::string title = Narrow(LoadResourceString(IDR_MAINFRAME)) + " - " + FileTitleOf(path);
        SetWindowTextW(frame_.hwnd(), Widen(title).c_str());
        frame_.ShowFolder(navigator.CurrentFolder());
    } else {
        recent_.Remove(*entry);
        RebuildMenu();
    }
    recent_.Write();
}

void FrameSearch::ShowDropDown(HWND toolBar, UINT buttonCommand) {
    const auto index = static_cast<int>(SendMessageW(toolBar, TB_COMMANDTOINDEX, buttonCommand, 0));
    RECT button{};
    if (index >= 0) {
        SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    }
    POINT at{button.left, button.bottom};
    ClientToScreen(toolBar, &at);
    std::vector<std::string> entries;
    for (int32_t k = 0; k < recent_.Count(); ++k) {
        entries.push_back(recent_.MenuEntry(k));
    }
    dropDown_.Show(frame_.hwnd(), at, entries);
}

void FrameSearch::Folders() {
    frame_.StopWorkers();
    CTVdlg dialog(frame_.lists(), frame_.hwnd());
    treeDialog_ = &dialog;
    openedAsFile_ = false;
    HWND owner = GetActiveWindow();
    const INT_PTR result = dialog.DoModal(owner != nullptr ? owner : frame_.hwnd());
    treeDialog_ = nullptr;
    if (std::exchange(openedAsFile_, false) || result != IDOK) {
        return;  // the file is shown already, or nothing changed
    }
    const std::string root = frame_.lists().Lock()->RootFolder();
    if (frame_.EntryCount() == 0) {
        return;
    }
    frame_.ShowFolder(root);
    frame_.ShownListChanged(0);
}

void FrameSearch::OnOpenPath() {
    if (treeDialog_ == nullptr) {
        return;
    }
    openedAsFile_ = true;
    frame_.navigator().OpenTreePath(treeDialog_->TreePath());
    frame_.ShowFolder(frame_.navigator().CurrentFolder());
}

bool FrameSearch::BrowseFolder(const std::string& argument) {
    std::string folder = argument;
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    WriteFolderArgumentRoot(folder);
    frame_.StopWorkers();
    CExplorerDlg dialog(frame_.lists(), frame_.hwnd(), folder);
    const INT_PTR result = dialog.DoModal(frame_.hwnd());
    if (result == IDCANCEL) {
        return false;
    }
    // After an automatic run the frame is told through UM_SEARCHDONE; a dialog that could
    // not be made leaves the frame empty.
    if (result == IDOK && frame_.EntryCount() != 0) {
        frame_.ShowFolder(folder + "\\");
        frame_.ShownListChanged(0);
    }
    return true;
}

void FrameSearch::OnSearchDone() {
    // An automatic run that found nothing leaves an empty list: nothing to show.
    if (frame_.EntryCount() == 0) {
        return;
    }
    frame_.ShowFolder(frame_.lists().Lock()->RootFolder());
    frame_.ShownListChanged(0);
}

void RegisterSearchCommands(CMainFrame& frame, CommandTable& table) {
    table.Add(ID_FILE_FOLDERS, [&frame](uint32_t) { frame.search().Folders(); });
    table.AddRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [&frame](uint32_t id) { frame.search().OpenRecent(id); });
    table.Add(ID_FILE_MRU_DROPDOWN,
              [&frame](uint32_t) { frame.search().ShowDropDown(frame.ToolBar1(), ID_FILE_OPEN); });
}

}  // namespace pv
