#include "app/win32/KeywordPane.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <string>

#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "base/ResourceIds.h"
#include "base/win32/Handles.h"
#include "base/win32/Wide.h"
#include "framework/Dpi.h"
#include "framework/WaitCursor.h"

namespace pv {

namespace {

struct Column {
    const wchar_t* title;
    int width;
};

constexpr std::array<Column, 4> kColumns{{{L"Keywords", 240}, {L"In File", 70}, {L"In Path", 70}, {L"In All", 70}}};

class PaneLock {
public:
    explicit PaneLock(WordPane& pane) : pane_(pane) { pane_.Lock(); }

    ~PaneLock() { pane_.Unlock(); }

    PaneLock(const PaneLock&) = delete;
    PaneLock& operator=(const PaneLock&) = delete;

private:
    WordPane& pane_;
};

void SendCommand(HWND frame, UINT id) {
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace

//--- The pane --------------------------------------------------------------------------------

WordPane::WordPane() {
    InitializeCriticalSection(&lock_);
}

WordPane::~WordPane() {
    DeleteCriticalSection(&lock_);
}

bool WordPane::CreateWordPane(HWND parent, HWND frame) {
    frame_ = frame;
    if (!CreatePane(parent, IDC_WORD_PANE, L"Keywords and Names List", ID_PANE_CLOSE)) {
        return false;
    }
    list_ = CreateWindowExW(
            WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL, 0, 0,
            0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_WORD_LIST)), GetModuleHandleW(nullptr),
            nullptr);
    if (list_ == nullptr) {
        return false;
    }
    const DWORD styles = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    // The check boxes are the words' accumulated flags: the list asks for them with the texts.
    SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    for (size_t i = 0; i < kColumns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | (i == 0 ? 0 : LVCF_FMT);
        column.fmt = LVCFMT_RIGHT;
        column.cx = ScalePx(hwnd(), kColumns[i].width);
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    SetClient(list_);
    return true;
}

LRESULT WordPane::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->hwndFrom == list_) {
            if (header->code == LVN_GETDISPINFOW) {
                auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
                SendMessageW(frame_, UM_PANECMD3, 0, reinterpret_cast<LPARAM>(&info->item));
            } else if (header->code == NM_CLICK) {
                const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lp);
                LVHITTESTINFO hit{};
                hit.pt = click->ptAction;
                const auto row = SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                if (row >= 0) {
                    const bool onBox =
                            (hit.flags & LVHT_ONITEMSTATEICON) != 0 || click->ptAction.x < ScalePx(hwnd(), 16);
                    SendMessageW(frame_, UM_PANECMD1, static_cast<WPARAM>(row), onBox ? 1 : 0);
                }
            } else if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(lp)->wVKey == VK_SPACE) {
                // The space bar ticks the focused word as a click on its box does.
                const auto row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
                if (row >= 0) {
                    SendMessageW(frame_, UM_PANECMD1, static_cast<WPARAM>(row), 1);
                }
            }
            return 0;
        }
    }
    if (msg == WM_CONTEXTMENU) {
        UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_WORD_MENU)));
        if (menu) {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (lp == -1) {
                p = {0, TitleHeight()};
                ClientToScreen(hwnd(), &p);
            }
            TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, p.x, p.y, 0, frame_, nullptr);
        }
        return 0;
    }
    return PaneContainer::OnMessage(msg, wp, lp);
}

//--- What the words do --------------------------------------------------------------------

void KeywordFeature::EnsurePane() {
    if (pane_.hwnd() == nullptr) {
        pane_.CreateWordPane(frame_.splitter().hwnd(), frame_.hwnd());
    }
}

void KeywordFeature::ShowList(int32_t button) {
    if (frame_.EntryCount() == 0) {
        return;
    }
    EnsurePane();
    if (!shown_) {
        // The words take the image view's place beside the thumbnails.
        ShowWindow(frame_.view().hwnd(), SW_HIDE);
        frame_.splitter().SetPanes(pane_.hwnd(), frame_.thumbs().hwnd());
        shown_ = true;
    }
    frame_.ApplyViewMode(ViewMode::Both);
    frame_.thumbs().StopProducer();
    Press(button);
}

void KeywordFeature::ClosePane() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    ShowWindow(pane_.hwnd(), SW_HIDE);
    frame_.splitter().SetPanes(frame_.view().hwnd(), frame_.thumbs().hwnd());
    frame_.splitter().UpdateLayout();
}

void KeywordFeature::Prepare() {
    if (frame_.EntryCount() == 0) {
        SendCommand(frame_.hwnd(), ID_FILE_FOLDERS);
    }
    frame_.thumbs().StopProducer();
}

void KeywordFeature::BuildIfNeeded() {
    PaneLock lock(pane_);
    SharedLists::Access lists = frame_.lists().Lock();
    if (search_.NeedsBuild(*lists)) {
        WaitCursor wait;
        search_.Build(*lists);
    }
}

void KeywordFeature::PressButton(int32_t button) {
    if (!shown_) {
        ShowList(button);  // a button pressed with the pane closed opens it
        return;
    }
    Press(button);
}

void KeywordFeature::Press(int32_t button) {
    SendCommand(frame_.hwnd(), ID_KEYWORDS_PREPARE);
    search_.PressButton(button);
    BuildIfNeeded();
    {
        PaneLock lock(pane_);
        search_.FilterRows();
    }
    LatchButtons();
    SendCommand(frame_.hwnd(), ID_KEYWORDS_COUNTTEXT);
}

void KeywordFeature::LatchButtons() {
    KeywordBar& bar = frame_.keywordBar();
    const int32_t take = search_.Take() == kTakeTyped ? kTakeBoth : search_.Take();
    for (int k = 0; k < 5; ++k) {
        const bool latched = k < 2 ? search_.Mode() == k : take == k - 2;
        bar.Button(k).SetLatched(latched);
    }
}

void KeywordFeature::WriteCountText() {
    int32_t rows = 0;
    {
        PaneLock lock(pane_);
        rows = search_.RowCount();
    }
    const std::string text = WordCountText(search_.Take(), search_.Mode() < 0 ? 0 : search_.Mode(), rows);
    frame_.statusBar().SetPaneText(ID_PANE_MAIN, Widen(text));
    if (pane_.hwnd() != nullptr) {
        pane_.SetTitle(Widen(text));
        SendMessageW(pane_.List(), LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        InvalidateRect(pane_.List(), nullptr, TRUE);
    }
}

void KeywordFeature::Redraw() {
    frame_.thumbs().StopProducer();
    WaitCursor wait;
    int32_t rows = 0;
    {
        PaneLock lock(pane_);
        rows = search_.RowCount();
    }
    if (pane_.hwnd() != nullptr) {
        SendMessageW(pane_.List(), LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        InvalidateRect(pane_.List(), nullptr, TRUE);
    }
}

void KeywordFeature::Typed() {
    if (!shown_) {
        ShowList(0);
        if (!shown_) {
            return;
        }
    }
    SendCommand(frame_.hwnd(), ID_KEYWORDS_PREPARE);
    const HWND edit = frame_.keywordBar().Edit();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    bool changed = false;
    {
        PaneLock lock(pane_);
        changed = search_.TypeKeyword(Narrow(text));
    }
    if (changed) {
        LatchButtons();
        SendCommand(frame_.hwnd(), ID_KEYWORDS_REDRAW);
    }
}

void KeywordFeature::RowText(LVITEMW& item) {
    PaneLock lock(pane_);
    const int32_t word = search_.RowWord(item.iItem);
    if (word < 0) {
        return;
    }
    const WordEntry& entry = search_.Words()[static_cast<size_t>(word)];
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        std::wstring text;
        switch (item.iSubItem) {
        case 0: text = Widen(entry.text); break;
        case 1: text = std::to_wstring(entry.fileNameCount); break;
        case 2: text = std::to_wstring(entry.folderNameCount); break;
        default: text = std::to_wstring(entry.totalCount); break;
        }
        const size_t n = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
        wmemcpy(item.pszText, text.data(), n);
        item.pszText[n] = L'\0';
    }
    if ((item.mask & LVIF_STATE) != 0) {
        constexpr UINT kImageMask = LVIS_STATEIMAGEMASK;
        const UINT image = (entry.accumulated != 0 ? 2U : 1U) << 12;  // state image 1 clear, 2 ticked
        item.state = (item.state & ~kImageMask) | image;
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void KeywordFeature::Click(int32_t row, bool onCheckBox) {
    int32_t word = -1;
    {
        PaneLock lock(pane_);
        word = search_.RowWord(row);
    }
    if (word < 0) {
        return;
    }
    // The producer reads the shown list from its own thread: it stops before the list moves.
    frame_.thumbs().StopProducer();
    bool chosen = false;
    {
        PaneLock lock(pane_);
        SharedLists::Access lists = frame_.lists().Lock();
        chosen = search_.ChooseWord(*lists, word, onCheckBox);
    }
    if (!chosen) {
        // The words belong to an earlier result: list the words of this one.
        Press(search_.Mode());
        return;
    }
    InvalidateRect(pane_.List(), nullptr, FALSE);
    ShowResult();
}

void KeywordFeature::ClearAccumulator() {
    frame_.thumbs().StopProducer();
    bool cleared = false;
    {
        PaneLock lock(pane_);
        SharedLists::Access lists = frame_.lists().Lock();
        cleared = search_.ClearAccumulator(*lists);
    }
    if (cleared) {
        InvalidateRect(pane_.List(), nullptr, FALSE);
        ShowResult();
    }
}

void KeywordFeature::ShowResult() {
    // Even an empty list is shown: the grid must never show records its list no longer has.
    frame_.ShowFolder(frame_.lists().Lock()->RootFolder());
    frame_.ShownListChanged(0);
}

std::unique_ptr<KeywordFeature> RegisterKeywordCommands(CMainFrame& frame, CommandTable& table) {
    auto feature = std::make_unique<KeywordFeature>(frame);
    KeywordFeature& k = *feature;
    table.Add(ID_LIST_KEYWORDS, [&k](uint32_t) { k.ShowList(0); });
    table.AddRange(IDC_KEYWORD_BUTTON_FIRST, IDC_KEYWORD_BUTTON_LAST,
                   [&k](uint32_t id) { k.PressButton(static_cast<int32_t>(id) - IDC_KEYWORD_BUTTON_FIRST); });
    table.Add(ID_KEYWORDS_PREPARE, [&k](uint32_t) { k.Prepare(); });
    table.Add(ID_KEYWORDS_COUNTTEXT, [&k](uint32_t) { k.WriteCountText(); });
    table.Add(ID_KEYWORDS_REDRAW, [&k](uint32_t) { k.Redraw(); });
    table.Add(ID_KEYWORDS_CLEAR_ACCUMULATOR, [&k](uint32_t) { k.ClearAccumulator(); });
    table.Add(ID_PANE_CLOSE, [&k](uint32_t) { k.ClosePane(); });
    return feature;
}

}  // namespace pv
