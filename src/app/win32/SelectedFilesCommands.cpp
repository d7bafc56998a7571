// Keeping and acting on the selected files: Save Files List and Open Files List, Copy
// Selected Files into a folder the user picks, and Delete Selected Files.
// clang-format off
#include "app/win32/MainFrame.h"  // the Windows headers, which shellapi.h and shlobj.h need first
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <array>
#include <memory>

#include "app/win32/FrameCommands.h"
#include "base/ResourceIds.h"
#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/WaitCursor.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"
#include "platform/SettingsValues.h"
#include "search/ListFile.h"
#include "search/Ordering.h"
#include "shell/CopyPlan.h"

namespace pv {

namespace {

constexpr size_t kSettingBytes = 260;
constexpr FILEOP_FLAGS kBatchFlags = FOF_MULTIDESTFILES | FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY;

std::string ReadSetting(const char* name) {
    std::string value;
    if (std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey)) {
        ReadStringInto(*key, name, value, kSettingBytes);
    }
    return value;
}

void WriteSetting(const char* name, const std::string& value) {
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteString(name, value);
    }
}

// The paths of a batch as the shell takes them: each ended by a NUL, the whole by another.
std::wstring PathBlock(const std::vector<std::string>& paths) {
    std::wstring block;
    for (const std::string& p : paths) {
        block += Widen(p);
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

void RunShellOperation(UINT function, const std::vector<std::string>& from, const std::vector<std::string>& to) {
    const std::wstring fromBlock = PathBlock(from);
    const std::wstring toBlock = PathBlock(to);
    SHFILEOPSTRUCTW op{};
    op.wFunc = function;
    op.pFrom = fromBlock.c_str();
    op.pTo = function == FO_COPY ? toBlock.c_str() : nullptr;
    op.fFlags = kBatchFlags;
    // Failures are the shell's to report; the entries already left the list.
    SHFileOperationW(&op);
}

// The full paths of the shown list's selected entries, last entry first when `backwards`.
std::vector<std::string> SelectedPaths(SharedLists& lists, bool allSelected, bool backwards) {
    SharedLists::Access state = lists.Lock();
    const FileList& list = state->ShownFileList();
    const std::string root = state->RootFolder();
    std::vector<std::string> paths;
    for (int32_t i : ThumbSelection::SelectedIndexes(list, allSelected)) {
        paths.push_back(root + list[static_cast<size_t>(i)].relativePath);
    }
    if (backwards) {
        std::reverse(paths.begin(), paths.end());
    }
    return paths;
}

//--- List files ----------------------------------------------------------------------------

const std::array<FileFilter, 2> kListFilters = {FileFilter{"Lists Files", "*.txt"}, FileFilter{"Any Files", "*.*"}};

FileDialogOptions ListDialogOptions() {
    FileDialogOptions options;
    options.owner = GetActiveWindow();
    options.filters = kListFilters;
    options.defaultExtension = "txt";
    options.initialFolder = "C:\\Program Files\\Pictavo\\List\\";
    options.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    return options;
}

// Called for text that is not UTF-8, which Widen reads in the active code page.
std::string FromActiveCodePage(std::string_view bytes) {
    return Narrow(Widen(bytes));
}

void SaveFilesList(CMainFrame& frame) {
    CThumbView& thumbs = frame.thumbs();
    thumbs.StopProducer();
    std::string root;
    std::vector<std::string> chosen;
    {
        SharedLists::Access state = frame.lists().Lock();
        const FileList& list = state->ShownFileList();
        root = state->RootFolder();
        for (int32_t i : ThumbSelection::SelectedIndexes(list, thumbs.selection().AllSelected())) {
            chosen.push_back(list[static_cast<size_t>(i)].relativePath);
        }
    }
    if (chosen.empty()) {
        MessageBoxW(nullptr, L" No selected files. Select one or more files and repeate.", L"Pictavo",
                    MB_ICONINFORMATION);
        return;
    }
    const FileDialogResult answer = ShowSaveFileDialog(ListDialogOptions());
    if (!answer.ok) {
        return;
    }
    const std::string text = FormatListFile(root, chosen);
    // Written beside the old list and then put in its place: a failed save keeps the old one.
    if (WriteWholeFile(answer.path, std::vector<uint8_t>(text.begin(), text.end())) != Status::Ok) {
        MessageBoxW(thumbs.hwnd(), L"Error writing file!\n", L"", MB_OK);
    }
}

void OpenFilesList(CMainFrame& frame) {
    CThumbView& thumbs = frame.thumbs();
    thumbs.StopProducer();
    const FileDialogResult answer = ShowOpenFileDialog(ListDialogOptions());
    if (!answer.ok) {
        return;
    }
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(answer.path, bytes) != Status::Ok) {
        return;
    }
    {
        WaitCursor wait;
        // The disk is asked outside the lock; the lists change in one step.
        ListsState loaded;
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        LoadListFile(loaded, ParseListFile(text, FromActiveCodePage), LookUpDiskEntry);
        SharedLists::Access state = frame.lists().Lock();
        state->ResultList = std::move(loaded.ResultList);
        // A new root: the keyword lists name files of the old one and go with it.
        state->SetRoot(loaded.RootFolder());
        if (loaded.RootFolders.empty()) {
            state->RootFolders.clear();
        }
    }
    thumbs.ListChanged(0);
    SendMessageW(frame.hwnd(), UM_SHOWINDEX, 0, 0);
    frame.navigator().RefreshTexts();
}

//--- Copy ------------------------------------------------------------------------------------

class CCopySelectedFilesDlg final : public Dialog {
public:
    explicit CCopySelectedFilesDlg(CMainFrame& frame) : Dialog(IDD_COPY_SELECTED), frame_(frame) {}

    std::string chosenFolder;
    bool allSelected = false;

protected:
    bool OnInitDialog() override {
        destination_ = DestinationFolder(chosenFolder);
        const auto count = static_cast<int32_t>(SelectedPaths(frame_.lists(), allSelected, false).size());
        SetDlgItemTextW(hwnd(), IDC_COPY_SUMMARY, Widen(CopySummary(count, destination_)).c_str());
        SetCurrentDirectoryW(Widen(destination_).c_str());
        SetDlgItemTextW(hwnd(), IDC_COPY_TITLE, Widen(ReadSetting("TitleCopy")).c_str());
        CentreOnOwner();
        return true;
    }

    void OnOk() override {
        wchar_t title[kSettingBytes] = {};
        GetDlgItemTextW(hwnd(), IDC_COPY_TITLE, title, static_cast<int>(kSettingBytes));
        WriteSetting("TitleCopy", Narrow(title));
        // A folder that cannot be listed gets nothing: its taken names are unknown.
        std::vector<std::string> taken;
        FolderListing listing;
        if (!listing.Open(destination_)) {
            return;
        }
        for (FindRecord entry; listing.Next(entry);) {
            taken.push_back(entry.name);
        }
        listing.Close();
        CThumbView& thumbs = frame_.thumbs();
        thumbs.StopProducer();
        {
            SharedLists::Access state = frame_.lists().Lock();
            SortFileList(state->ResultList, kSortName);
        }
        std::vector<std::string> from;
        std::vector<std::string> to;
        for (CopyPair& pair : PlanCopy(SelectedPaths(frame_.lists(), allSelected, false), destination_, taken)) {
            from.push_back(std::move(pair.source));
            to.push_back(std::move(pair.destination));
        }
        RunShellOperation(FO_COPY, from, to);
        {
            SharedLists::Access state = frame_.lists().Lock();
            SortFileList(state->ResultList, state->SortCode);
        }
        // The list has a new order: the view starts again as after a sort.
        thumbs.ResetAfterSort();
        End(IDOK);
    }

private:
    CMainFrame& frame_;
    std::string destination_;
};

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM lp, LPARAM data) {
    if (msg == BFFM_INITIALIZED) {
        SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - 430) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - 400) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        if (const auto* stored = reinterpret_cast<const std::wstring*>(data); !stored->empty()) {
            SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(stored->c_str()));
        }
    } else if (msg == BFFM_SELCHANGED) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lp), path)) {
            SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

// The folder browser, starting at the folder chosen last; empty when cancelled.
std::string BrowseForDestination(HWND owner) {
    const std::wstring stored = Widen(ReadSetting("DestCopy"));
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"Select destination directory ";
    info.ulFlags = BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&stored);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return ok ? Narrow(path) : std::string();
}

void CopySelectedFiles(CMainFrame& frame, CCopySelectedFilesDlg& dialog) {
    if (frame.EntryCount() == 0) {
        return;
    }
    const std::string folder = BrowseForDestination(GetActiveWindow());
    if (folder.empty()) {
        return;
    }
    WriteSetting("DestCopy", folder);
    dialog.chosenFolder = folder;
    dialog.allSelected = frame.thumbs().selection().AllSelected();
    dialog.DoModal(GetActiveWindow());
}

//--- Delete ----------------------------------------------------------------------------------

void DeleteSelectedFiles(CMainFrame& frame) {
    if (frame.EntryCount() == 0) {
        return;
    }
    CThumbView& thumbs = frame.thumbs();
    const bool allSelected = thumbs.selection().AllSelected();
    const std::vector<std::string> paths = SelectedPaths(frame.lists(), allSelected, true);
    const std::wstring question = Widen(DeleteQuestion(static_cast<int32_t>(paths.size())));
    if (MessageBoxW(nullptr, question.c_str(), L"Pictavo", MB_YESNOCANCEL | MB_ICONEXCLAMATION) != IDYES ||
        paths.empty()) {
        return;
    }
    thumbs.StopProducer();
    {
        SharedLists::Access state = frame.lists().Lock();
        ThumbSelection::RemoveSelected(*state, allSelected);
    }
    // Deleted for good, not moved to the Recycle Bin: the user confirmed this very batch.
    RunShellOperation(FO_DELETE, paths, {});
    thumbs.AfterDelete();
    frame.navigator().RefreshTexts();
}

}  // namespace

void RegisterSelectedFilesCommands(CMainFrame& frame, CommandTable& table) {
    table.Add(ID_LIST_SAVE, [&frame](uint32_t) { SaveFilesList(frame); });
    table.Add(ID_LIST_OPEN, [&frame](uint32_t) { OpenFilesList(frame); });
    auto dialog = std::make_shared<CCopySelectedFilesDlg>(frame);
    table.Add(ID_SELECT_COPY, [&frame, dialog](uint32_t) { CopySelectedFiles(frame, *dialog); });
    table.Add(ID_SELECT_DELETE, [&frame](uint32_t) { DeleteSelectedFiles(frame); });
}

}  // namespace pv
