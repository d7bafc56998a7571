#include "app/win32/SearchDialog.h"

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/WaitCursor.h"
#include "search/Ordering.h"

namespace pv {

namespace {

void FillCombo(HWND combo, auto&& texts) {
    for (std::string_view text : texts) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

std::string ItemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

int32_t Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

DateTime FromSystemTime(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

SYSTEMTIME ToSystemTime(const DateTime& d) {
    return {d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second, d.millisecond};
}

// The walk polls the Escape key; the key's own messages must not then cancel the dialog or
// dismiss the message that follows.
void DropQueuedEscape(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, dialog, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE) != FALSE && msg.wParam == VK_ESCAPE) {
        PeekMessageW(&msg, dialog, WM_KEYDOWN, WM_KEYUP, PM_REMOVE);
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        while (PeekMessageW(&msg, child, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE) != FALSE && msg.wParam == VK_ESCAPE) {
            PeekMessageW(&msg, child, WM_KEYDOWN, WM_KEYUP, PM_REMOVE);
        }
    }
}

}  // namespace

SearchDialog::SearchDialog(UINT templateId, int extensionListId, SearchDialogKind kind, SharedLists& lists, HWND frame)
    : Dialog(templateId), lists_(lists), frame_(frame), extensionListId_(extensionListId), kind_(kind) {
    // The dialogs' own control classes: the process registers only those of the frame.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
}

bool SearchDialog::OnInitDialog() {
    const ExtensionChecks checks = ReadExtensionChecks(lists_.Lock()->ExtensionChecked);
    lists_.Lock()->ExtensionChecked = checks;
    FillExtensionList();
    SetRowChecks(checks);

    for (int id : {IDC_SEARCH_MIN_SIZE, IDC_SEARCH_MAX_SIZE}) {
        HWND combo = GetDlgItem(hwnd(), id);
        for (const SizeChoice& c : kSizeChoices) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(c.text).c_str()));
        }
    }
    FillCombo(GetDlgItem(hwnd(), IDC_SEARCH_SORT), kSortTexts);

    ReadSearchValues(values_, kind_);
    for (auto [id, date] : {std::pair{IDC_SEARCH_DATE_FROM, values_.dateFrom}, {IDC_SEARCH_DATE_TO, values_.dateTo}}) {
        if (date) {
            const SYSTEMTIME t = ToSystemTime(*date);
            SendDlgItemMessageW(hwnd(), id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
        }
    }
    ApplyEnableRules();
    WriteControls();
    return true;
}

void SearchDialog::FillExtensionList() {
    HWND list = GetDlgItem(hwnd(), extensionListId_);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<wchar_t*>(L"Extensions");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    filling_ = true;
    for (size_t i = 0; i < kExtensionCount; ++i) {
        std::wstring text = Widen(ExtensionTable[i].description);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    filling_ = false;
}

void SearchDialog::SetRowChecks(const ExtensionChecks& checks) {
    HWND list = GetDlgItem(hwnd(), extensionListId_);
    filling_ = true;
    for (size_t i = 0; i < kExtensionCount; ++i) {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(checks[i] ? 2u : 1u);
        SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
    filling_ = false;
    lists_.Lock()->ExtensionChecked = checks;
}

ExtensionChecks SearchDialog::RowChecks() const {
    HWND list = GetDlgItem(hwnd(), extensionListId_);
    ExtensionChecks checks{};
    for (size_t i = 0; i < kExtensionCount; ++i) {
        const auto state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
        checks[i] = (state >> 12) == 2;
    }
    return checks;
}

void SearchDialog::OnRowChanged(const NMLISTVIEW& change) {
    if (filling_ || (change.uChanged & LVIF_STATE) == 0 || change.iItem < 0 ||
        change.iItem >= static_cast<int>(kExtensionCount) ||
        ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0) {
        return;
    }
    // The process-wide checks follow the rows, so the next dialog opens as this one was left.
    lists_.Lock()->ExtensionChecked[static_cast<size_t>(change.iItem)] = (change.uNewState >> 12) == 2;
}

void SearchDialog::ReadControls() {
    HWND h = hwnd();
    values_.checkInclude = Checked(h, IDC_SEARCH_INCLUDE);
    values_.checkSize = Checked(h, IDC_SEARCH_CHECK_SIZE);
    values_.checkDate = Checked(h, IDC_SEARCH_CHECK_DATE);
    if (kind_ == SearchDialogKind::Tree) {
        values_.checkTitle = Checked(h, IDC_SEARCH_CHECK_TITLE);
        values_.titlePattern = ItemText(h, IDC_SEARCH_TITLE);
    } else {
        values_.checkRunAuto = Checked(h, IDC_SEARCH_RUN_AUTO);
    }
    values_.sortedString = ItemText(h, IDC_SEARCH_SORT);
    values_.minSize = ItemText(h, IDC_SEARCH_MIN_SIZE);
    values_.maxSize = ItemText(h, IDC_SEARCH_MAX_SIZE);
}

void SearchDialog::WriteControls() {
    HWND h = hwnd();
    CheckDlgButton(h, IDC_SEARCH_INCLUDE, values_.checkInclude == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(h, IDC_SEARCH_CHECK_SIZE, values_.checkSize == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(h, IDC_SEARCH_CHECK_DATE, values_.checkDate == 1 ? BST_CHECKED : BST_UNCHECKED);
    if (kind_ == SearchDialogKind::Tree) {
        CheckDlgButton(h, IDC_SEARCH_CHECK_TITLE, values_.checkTitle == 1 ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextW(h, IDC_SEARCH_TITLE, Widen(values_.titlePattern).c_str());
    } else {
        CheckDlgButton(h, IDC_SEARCH_RUN_AUTO, values_.checkRunAuto == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    SendDlgItemMessageW(h, IDC_SEARCH_SORT, CB_SETCURSEL, static_cast<WPARAM>(SortChoiceIndex(values_.sortedString)),
                        0);
    SendDlgItemMessageW(h, IDC_SEARCH_MIN_SIZE, CB_SETCURSEL, static_cast<WPARAM>(SizeChoiceIndex(values_.minSize)), 0);
    SendDlgItemMessageW(h, IDC_SEARCH_MAX_SIZE, CB_SETCURSEL, static_cast<WPARAM>(SizeChoiceIndex(values_.maxSize)), 0);
}

void SearchDialog::ApplyEnableRules(int checkBoxId) {
    HWND h = hwnd();
    const bool all = checkBoxId == 0;
    if (all || checkBoxId == IDC_SEARCH_CHECK_SIZE) {
        for (int id : {IDC_SEARCH_MIN_SIZE, IDC_SEARCH_MAX_SIZE}) {
            EnableWindow(GetDlgItem(h, id), values_.checkSize == 1);
        }
    }
    if (all || checkBoxId == IDC_SEARCH_CHECK_DATE) {
        for (int id : {IDC_SEARCH_DATE_FROM, IDC_SEARCH_DATE_TO}) {
            EnableWindow(GetDlgItem(h, id), values_.checkDate == 1);
        }
    }
    if (HWND title = GetDlgItem(h, IDC_SEARCH_TITLE);
        title != nullptr && (all || checkBoxId == IDC_SEARCH_CHECK_TITLE)) {
        EnableWindow(title, values_.checkTitle == 1);
    }
}

DateTime SearchDialog::PickerValue(int id) const {
    SYSTEMTIME t{};
    SendDlgItemMessageW(hwnd(), id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
    return FromSystemTime(t);
}

OkOutcome SearchDialog::RunOk() {
    if (running_) {
        return OkOutcome::StayOpen;
    }
    running_ = true;
    const WaitCursor wait;
    ReadControls();
    OkRequest request;
    request.checked = RowChecks();
    request.values = values_;
    request.pickerFrom = PickerValue(IDC_SEARCH_DATE_FROM);
    request.pickerTo = PickerValue(IDC_SEARCH_DATE_TO);
    request.root = Root();
    RECT r{};
    GetWindowRect(hwnd(), &r);
    request.windowRect = {r.left, r.top, r.right, r.bottom};
    const OkOutcome outcome = RunSequence(request);
    DropQueuedEscape(hwnd());
    running_ = false;
    return outcome;
}

void SearchDialog::OnOk() {
    if (RunOk() != OkOutcome::StayOpen) {
        End(IDOK);
    }
}

void SearchDialog::ShowMessage(std::string_view text, MessageStyle style) {
    const bool pictavo = style == MessageStyle::PictavoInformation;
    // No owner, as the program always had it; task-modal so that the dialog behind cannot
    // start a second OK while the message is up.
    MessageBoxW(nullptr, Widen(text).c_str(), pictavo ? L"Pictavo" : L"Norel",
                MB_OK | MB_TASKMODAL | (pictavo ? MB_ICONINFORMATION : 0u));
}

void SearchDialog::ShowStatus(std::string_view text) {
    SetDlgItemTextW(hwnd(), IDC_SEARCH_STATUS, Widen(text).c_str());
    // No messages are pumped while the walk runs: paint now.
    UpdateWindow(hwnd());
}

void SearchDialog::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_SEARCH_ALL_FORMATS: {
        ReadControls();
        ExtensionChecks all{};
        all.fill(true);
        SetRowChecks(all);
        WriteControls();
        return;
    }
    case IDC_SEARCH_DEFAULT:
        ReadControls();
        SetRowChecks(DefaultExtensionChecks());
        ResetFlagsToDefault();
        WriteControls();
        return;
    case IDC_SEARCH_CHECK_SIZE:
    case IDC_SEARCH_CHECK_DATE:
    case IDC_SEARCH_CHECK_TITLE:
        if (code == BN_CLICKED) {
            ReadControls();
            ApplyEnableRules(static_cast<int>(id));
        }
        return;
    default: Dialog::OnCommand(id, code, control);
    }
}

bool SearchDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (static_cast<int>(hdr->idFrom) == extensionListId_ && hdr->code == LVN_ITEMCHANGED) {
            OnRowChanged(*reinterpret_cast<const NMLISTVIEW*>(lp));
            return true;
        }
        return false;
    }
    return Dialog::OnMessage(msg, wp, lp);
}

}  // namespace pv
