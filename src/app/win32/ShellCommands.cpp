// The Options commands (associations and the file-manager choice, one dialog) and "go to
// the file manager".
// clang-format off
#include "app/win32/MainFrame.h"  // the Windows headers, which shellapi.h needs first
#include <shellapi.h>
// clang-format on

#include "app/win32/FrameCommands.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "shell/FileManagers.h"
#include "shell/win32/OptionsDlg.h"

namespace pv {

namespace {

void ShowOptions(CMainFrame& frame) {
    COptionsDlg dialog;
    dialog.DoModal(frame.hwnd());
}

// The frame hands over to the file manager and closes, but only when the file manager
// really started: the fixed Total Commander and FAR paths are often absent.
void GoToFileManager(CMainFrame& frame) {
    if (frame.EntryCount() == 0) {
        return;
    }
    const ShownNavigationList list(frame.lists());
    const std::string path = list.RootFolder() + list.RelativePath(frame.navigator().CurrentIndex());
    const std::optional<FileManagerStart> start = FileManagerStartFor(frame.fileManager(), path);
    if (!start) {
        return;
    }
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", Widen(start->program).c_str(),
                                                                Widen(start->parameters).c_str(),
                                                                Widen(start->folder).c_str(), SW_SHOWNORMAL));
    if (result > 32) {
        PostMessageW(frame.hwnd(), WM_CLOSE, 0, 0);
    } else {
        MessageBoxW(frame.hwnd(), Widen(FileManagerFailedText(*start)).c_str(), L"Pictavo", MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

void RegisterShellCommands(CMainFrame& frame, CommandTable& table) {
    table.Add(ID_OPTIONS_ASSOCIATE, [&frame](uint32_t) { ShowOptions(frame); });
    table.Add(ID_OPTIONS_MANAGER_CHOICE, [&frame](uint32_t) { ShowOptions(frame); });
    table.Add(ID_LIST_MANAGER, [&frame](uint32_t) { GoToFileManager(frame); });
}

}  // namespace pv
