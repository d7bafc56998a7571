#include "shell/win32/OptionsDlg.h"

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/Dpi.h"
#include "shell/FileManagers.h"
#include "shell/ShellSettings.h"
#include "shell/win32/AssociationWriter.h"

namespace pv {

namespace {

constexpr int kColumnWidth = 130;
constexpr UINT kTickedState = 2;

}  // namespace

COptionsDlg::COptionsDlg() : Dialog(IDD_OPTIONS), programPath(RunningProgramPath()) {}

HWND COptionsDlg::List() const {
    return GetDlgItem(hwnd(), IDC_OPTIONS_LIST);
}

bool COptionsDlg::OnInitDialog() {
    rows_ = ExtensionTable;
    ticks_ = ReadAssociationList();
    FillList();
    fileManager_ = ReadFileManager();
    if (fileManager_ < kExplorer || fileManager_ > kFarManager) {
        fileManager_ = kExplorer;
    }
    data().BindRadio(IDC_OPTIONS_EXPLORER, IDC_OPTIONS_FAR, &fileManager_);
    return true;
}

void COptionsDlg::FillList() {
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    std::wstring heading = L"Extensions";
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScalePx(list, kColumnWidth);
    column.pszText = heading.data();
    ListView_InsertColumn(list, 0, &column);
    for (size_t i = 0; i < kExtensionCount; ++i) {
        std::wstring text = Widen(rows_[i].description);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        ListView_InsertItem(list, &item);
        Tick(static_cast<int>(i), ticks_[i]);
    }
    // The list as wide as its one column and its scroll bar, so no empty column shows beside it.
    RECT outer{};
    RECT inner{};
    GetWindowRect(list, &outer);
    GetClientRect(list, &inner);
    SetWindowPos(list, nullptr, 0, 0, column.cx + (outer.right - outer.left) - inner.right, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COptionsDlg::Tick(int row, bool on) const {
    ListView_SetItemState(List(), row, INDEXTOSTATEIMAGEMASK(on ? kTickedState : 1), LVIS_STATEIMAGEMASK);
}

bool COptionsDlg::IsTicked(int row) const {
    return (ListView_GetItemState(List(), row, LVIS_STATEIMAGEMASK) >> 12) == kTickedState;
}

void COptionsDlg::Show(const char* text, const char* caption, UINT style, WORD language) const {
    // Owned by the dialog: a second OK cannot run while the message is up.
    MessageBoxExW(hwnd(), Widen(text).c_str(), Widen(caption).c_str(), style, language);
}

void COptionsDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_OPTIONS_SELECT_ALL) {
        for (size_t i = 0; i < kExtensionCount; ++i) {
            ticks_[i] = true;
            Tick(static_cast<int>(i), true);
        }
        return;
    }
    Dialog::OnCommand(id, code, control);
}

void COptionsDlg::OnOk() {
    for (size_t i = 0; i < kExtensionCount; ++i) {
        ticks_[i] = IsTicked(static_cast<int>(i));
    }
    const std::vector<std::string> types = TickedTypes(ticks_);
    if (types.empty()) {
        Show(kNothingTicked.text, kNothingTicked.caption, MB_ICONINFORMATION, 0);
        return;
    }
    WriteAssociationList(ticks_);
    data().Read(hwnd());
    WriteFileManager(fileManager_);
    if (HWND frame = GetWindow(hwnd(), GW_OWNER); frame != nullptr) {
        SendMessageW(frame, UM_SETFILEMANAGER, static_cast<WPARAM>(fileManager_), 0);
    }

    const AssociationResult result = WriteAssociations(types, AssociationStringsFor(programPath));
    constexpr WORD kEnglish = LANG_ENGLISH;
    switch (result.failure) {
    case AssociationFailure::CannotDelete:
        Show(kCannotDelete.text, kCannotDelete.caption, MB_ICONHAND, kEnglish);
        break;
    case AssociationFailure::CannotCreate:
        Show(kCannotCreate.text, kCannotCreate.caption, MB_ICONHAND, kEnglish);
        break;
    case AssociationFailure::TooLong: Show(kPathTooLong.text, kPathTooLong.caption, MB_ICONHAND, kEnglish); break;
    case AssociationFailure::None:
        if (!result.keptDefaults.empty()) {
            Show(KeptDefaultsText(result.keptDefaults).c_str(), "Pictavo", MB_ICONINFORMATION, 0);
        }
        break;
    }
    End(IDOK);
}

}  // namespace pv
