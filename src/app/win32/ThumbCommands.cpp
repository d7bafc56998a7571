// The thumbnail and report view in the frame: the Thumbnails and Report commands, Select All
// and Clear All Selections, the sort keys of the menu and the sort dialog, the report's
// notifications, and what navigation and list changes tell the view.
#include <algorithm>
#include <cwchar>

#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/WaitCursor.h"
#include "search/Ordering.h"
#include "thumbs/win32/SortFilesDlg.h"

namespace pv {

namespace {

// Every sort leaves the view at record 0 and the frame showing it.
ViewReset ResetViewOf(CMainFrame& frame) {
    return [&frame](int32_t) { frame.thumbs().ResetAfterSort(); };
}

void SortDialog(CMainFrame& frame) {
    if (frame.EntryCount() == 0) {
        return;
    }
    frame.thumbs().StopProducer();
    CSortFilesDlg dialog;
    if (dialog.DoModal(frame.hwnd()) != IDOK) {
        return;
    }
    WaitCursor wait;
    ApplySortDialogChoice(frame.lists(), dialog.selectedLine, ResetViewOf(frame));
}

}  // namespace

void RegisterThumbCommands(CMainFrame& frame, CommandTable& table) {
    CThumbView& thumbs = frame.thumbs();
    table.Add(ID_VIEW_THUMBNAILS, [&frame, &thumbs](uint32_t) {
        if (frame.EntryCount() == 0) {
            return;
        }
        frame.ApplyViewMode(ViewMode::Both);
        frame.navigator().SetCurrentIndex(0);
        thumbs.ShowAsThumbnails(0);
        frame.navigator().RefreshTexts();
    });
    table.Add(ID_VIEW_REPORT, [&frame, &thumbs](uint32_t) {
        if (frame.EntryCount() == 0) {
            return;
        }
        frame.ApplyViewMode(ViewMode::Both);
        thumbs.ShowAsReport();
    });
    table.Add(ID_SELECT_ALL, [&thumbs](uint32_t) { thumbs.SelectAll(); });
    table.Add(ID_SELECT_CLEAR, [&thumbs](uint32_t) { thumbs.ClearAllSelections(); });
    table.AddRange(ID_SORT_FIRST, ID_SORT_LAST, [&frame, &thumbs](uint32_t id) {
        if (frame.EntryCount() != 0) {
            thumbs.StopProducer();
            RunMenuSort(frame.lists(), static_cast<int>(id), ResetViewOf(frame));
        }
    });
    table.Add(ID_LIST_SORT_DIALOG, [&frame](uint32_t) { SortDialog(frame); });
}

//--- What the frame tells the view ---------------------------------------------------------

void CMainFrame::ShowModeInGrid() {
    thumbs_.ShowAsThumbnails(std::nullopt);
    ShowModeInPanes();
    if (modes_.Mode() != ViewMode::ImageOnly) {
        thumbs_.ScrollTo(navigator_.CurrentIndex());
    }
}

void CMainFrame::ShownListChanged(int32_t current) {
    thumbs_.StopProducer();
    thumbs_.ShowAsThumbnails(current);
    navigator_.ShowNewList(current, false);
}

void CMainFrame::SetThumbCurrent(int32_t index) {
    thumbs_.Reveal(index, false);
}

void CMainFrame::MarkHot(int32_t index) {
    thumbs_.MarkHot(index);
}

void CMainFrame::ScrollThumbsTo(int32_t index) {
    thumbs_.ScrollTo(index);
}

void CMainFrame::ResetThumbView() {
    thumbs_.Rewind();
}

void CMainFrame::ShowFolderInThumbs(const std::string& /*folder*/) {
    // The folder's list is RootFolders entry 0's: the view takes its root from there.
    thumbs_.ListChanged(navigator_.CurrentIndex());
}

//--- The report's notifications ----------------------------------------------------------

LRESULT CMainFrame::OnReportNotify(const NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item;
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
            const std::wstring text = Widen(thumbs_.ReportText(item.iItem, item.iSubItem));
            const size_t room = static_cast<size_t>(item.cchTextMax) - 1;
            const size_t n = std::min(text.size(), room);
            wmemcpy(item.pszText, text.data(), n);
            item.pszText[n] = L'\0';
        }
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool nowFocused = (change.uNewState & LVIS_FOCUSED) != 0 && (change.uOldState & LVIS_FOCUSED) == 0;
        if (change.iItem >= 0 && nowFocused) {
            thumbs_.SetCurrent(change.iItem);
            navigator_.SetCurrentIndex(change.iItem);
        }
        return 0;
    }
    case NM_DBLCLK: {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        LVHITTESTINFO hit{};
        hit.pt = click.ptAction;
        const auto index =
                static_cast<int32_t>(SendMessageW(header.hwndFrom, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (index >= 0) {
            navigator_.ReportDoubleClick(index);
            thumbs_.SetCurrent(index);
        }
        return 0;
    }
    default: return 0;
    }
}

}  // namespace pv
