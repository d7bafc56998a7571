#include "app/win32/MsgLoop.h"

#include "app/CommandTail.h"
#include "base/Text.h"
#include "platform/Collation.h"
#include "platform/Settings.h"
#include "shell/ButtonBar.h"
#include "shell/FarMenu.h"
#include "shell/win32/AssociationWriter.h"

namespace pv {

namespace {

void StoreTreeFullPath(const std::string& folder) {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    std::string value = folder + "\\";
    value[0] = LowerChar(value[0]);
    key->WriteString("TreeFullPath", value);
}

void CentreAndShow(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    StoredRect r = CentreOnWorkArea({work.left, work.top, work.right, work.bottom}, window.right - window.left,
                                    window.bottom - window.top);
    SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOW);
}

}  // namespace

int CMTNorelMsgLoop::RunFrame(const std::string& commandTail, int /*showCommand*/) {
    FrameStartSettings settings = ReadFrameStartSettings();
    if (!frame_.CreateFrame(settings.windowRect)) {
        return 0;
    }
    // Once per user: the flags are set only when the button or the entry is in place.
    if (settings.totalComm == 0 || settings.farComm == 0) {
        const std::string program = RunningProgramPath();
        if (settings.totalComm == 0) {
            InstallTotalCommanderButton(std::string(kTotalCommanderBar), program, FolderOf(program));
        }
        if (settings.farComm == 0) {
            InstallFarMenuEntry(program);
        }
    }

    if (commandTail.empty()) {
        if (settings.fitToWindow == 1) {
            frame_.SetFitToWindow(true);
        }
        frame_.ApplyViewMode(ViewModeFromStored(settings.thumbsMode));
    } else {
        frame_.ApplyViewMode(ViewMode::ImageOnly);
        ArgumentTarget target = DecideArgument(commandTail);
        if (target.kind == ArgumentKind::File) {
            frame_.OpenCommandLineFile(target.fullPath);
        } else {
            std::string folder = target.fullPath;
            if (!folder.empty() && folder.back() == '\\') {
                folder.pop_back();
            }
            StoreTreeFullPath(folder);
            if (!frame_.BrowseFolderArgument(folder)) {
                DestroyWindow(frame_.hwnd());
                return 0;
            }
        }
    }

    CentreAndShow(frame_.hwnd());
    return Run();
}

}  // namespace pv
