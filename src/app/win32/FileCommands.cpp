// The File and Help commands: New, Open, Save As, Exit, the auto-browse option, Help, About.
// clang-format off
#include "app/win32/MainFrame.h"  // the Windows headers, which shellapi.h needs first
#include <shellapi.h>
// clang-format on

#include <vector>

#include "app/FrameSettings.h"
#include "app/OpenFilters.h"
#include "app/win32/FrameCommands.h"
#include "base/ResourceIds.h"
#include "base/Text.h"
#include "base/win32/Wide.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/ResourceText.h"
#include "imaging/JpegWriter.h"

namespace pv {

namespace {

void OpenFile(CMainFrame& frame) {
    Navigator& navigator = frame.navigator();
    if (navigator.Busy()) {
        return;  // an open is in progress (its message box is up): one at a time
    }
    const std::string openFile = ReadOpenFile();
    std::vector<FileFilter> filters;
    for (const OpenFilterRow& row : kOpenFilters) {
        filters.push_back({row.description, row.patterns});
    }
    FileDialogOptions options;
    options.owner = frame.hwnd();
    options.filters = filters;
    options.filterIndex = 1;
    options.initialName = openFile;
    options.defaultExtension = kOpenDefaultExtension;
    options.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const FileDialogResult r = ShowOpenFileDialog(options);
    if (r.ok) {
        navigator.OpenChosenFile(r.path);
        frame.search().AddRecent(r.path);
        const std::string title = Narrow(LoadResourceString(IDR_MAINFRAME)) + " - " + std::string(FileNameOf(r.path));
        SetWindowTextW(frame.hwnd(), Widen(title).c_str());
    } else if (!r.nameField.empty()) {
        navigator.ListFolderOf(r.nameField);
    } else {
        return;
    }
    frame.ShowFolder(navigator.CurrentFolder());
}

void SaveAs(CMainFrame& frame) {
    if (frame.EntryCount() == 0) {
        return;
    }
    // A copy taken under the view's lock: the animation worker replaces the display buffer.
    const DisplayBuffer d = frame.view().ShownPicture();
    if (d.IsEmpty()) {
        MessageBeep(MB_OK);
        return;
    }
    const FileFilter filters[] = {{"JPG File (*.jpg)", "*.jpg"}, {"Bitmap File (*.bmp)", "*.bmp"}};
    FileDialogOptions options;
    options.owner = frame.hwnd();
    options.filters = filters;
    options.initialName = DefaultSaveName(frame.navigator().CurrentPath());
    options.defaultExtension = std::string(kSaveDefaultExtension);
    options.flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    const FileDialogResult r = ShowSaveFileDialog(options);
    if (!r.ok) {
        return;
    }
    const SaveFormat format = r.filterIndex == 2 ? SaveFormat::Bmp : SaveFormat::Jpeg;
    const std::string target = SaveNameFor(r.path, format);
    const ImageBuffer shown = BorrowAsImage(d);
    // A failed write must not look like a saved picture.
    if (SavePicture(target, shown, format) != Status::Ok) {
        const std::wstring text = L"The picture could not be saved as\n" + Widen(target);
        MessageBoxW(frame.hwnd(), text.c_str(), L"Pictavo", MB_OK | MB_ICONWARNING);
    }
}

void Help(HWND owner) {
    // The old help format is gone from Windows: the help is a page beside the program.
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring page(exe);
    page = page.substr(0, page.find_last_of(L'\\') + 1) + L"Pictavo.html";
    const auto result =
            reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        const std::wstring text = L"Pictavo's help is the page\n" + page + L"\nOpen it in your web browser.";
        MessageBoxW(owner, text.c_str(), L"Pictavo", MB_OK | MB_ICONINFORMATION);
    }
}

}  // namespace

void RegisterFileCommands(CMainFrame& frame, CommandTable& table) {
    table.Add(ID_FILE_NEW, [&frame](uint32_t) { frame.view().PaintBackgroundOnly(); });
    table.Add(ID_FILE_OPEN, [&frame](uint32_t) { OpenFile(frame); });
    table.Add(ID_FILE_SAVE, [&frame](uint32_t) { SaveAs(frame); });
    table.Add(ID_APP_EXIT, [&frame](uint32_t) { PostMessageW(frame.hwnd(), WM_CLOSE, 0, 0); });
    table.Add(ID_OPTIONS_UNCHECK_AUTO, [](uint32_t) { WriteCheckRunAuto(0); });
    table.Add(ID_HELP_TOPICS, [&frame](uint32_t) { Help(frame.hwnd()); });
    table.Add(ID_APP_ABOUT, [&frame](uint32_t) {
        Dialog about(IDD_ABOUT);
        about.DoModal(frame.hwnd());
    });
}

}  // namespace pv
