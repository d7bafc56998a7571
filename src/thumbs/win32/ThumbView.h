// CThumbView: the shown file list as a grid of framed thumbnails, painted here off screen,
// or as a report, a virtual list-view control ("ThViiew") that fills the view. It keeps
// the current record and the marks, scrolls, offers its context menu and tells the frame
// (UM_SHOWITEM, UM_SHOWINDEX) when the current record changes. The pictures come from the
// view's own thumbnail producer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/win32/Handles.h"
#include "framework/Window.h"
#include "search/SharedLists.h"
#include "thumbs/ThumbProducer.h"
#include "thumbs/ThumbSelection.h"

namespace pv {

class CThumbView final : public Window {
public:
    enum class Mode : int32_t {
        Report = 1,
        Thumbnails = 2
    };

    // `lists` are the process's shared lists; they outlive the view.
    explicit CThumbView(SharedLists& lists);
    ~CThumbView() override;

    bool CreateView(HWND parent, UINT controlId);

    [[nodiscard]] Mode mode() const { return mode_; }

    // Thumbnails mode. With an index: that record is current, the grid starts at the top and
    // the producer forgets what it made (the list changed); without one the state is kept.
    void ShowAsThumbnails(std::optional<int32_t> current);
    // Report mode: the rows, the current record hot and scrolled to, the frame told to show
    // it. An empty list gets "No Folder(s) With Pictures" instead.
    void ShowAsReport();
    // The list, its order or contents changed: producer stopped and reset, record `current`
    // current, scrolled to the top; the mode stays.
    void ListChanged(int32_t current);
    // Begin: record 0 current and the view back at its start; what the producer made stays.
    void Rewind();
    // The view reset after a sort: record 0 current, rebuilt, UM_SHOWINDEX with 0.
    void ResetAfterSort();
    // The selected files were deleted and left the list: the selection starts again at
    // record 0, the view is rebuilt and the frame told to show record 0.
    void AfterDelete();

    // Navigation: record `index` alone is marked and current; with `scroll` the grid scrolls
    // to its row.
    void Reveal(int32_t index, bool scroll);
    // Scrolls the grid to the row of `index` (thumbnails) or the row into view (report).
    void ScrollTo(int32_t index);
    // The report's hot item follows the frame's current record.
    void MarkHot(int32_t index);
    // Report: the list control moved its selection to `index`.
    void SetCurrent(int32_t index);

    void SelectAll();
    void ClearAllSelections();
    // Escape: all-selected mode off, repainted.
    void LeaveAllSelected();

    [[nodiscard]] const ThumbSelection& selection() const { return selection_; }

    [[nodiscard]] int32_t CurrentRecord() const { return selection_.Current(); }

    [[nodiscard]] int32_t ScrollPosition() const { return position_; }

    [[nodiscard]] int32_t Columns() const { return columns_; }

    // The idle handler's start: a batch when thumbnails show, the list is not empty and no
    // batch runs. True when one started.
    bool StartProducer();
    // Pause: returns once the workers have stopped.
    void StopProducer();

    [[nodiscard]] ProducerState producerState() const { return producer_.state(); }

    // The report's text for row `row`, column `column` (0 name, 1 size, 2..4 the dates).
    [[nodiscard]] std::string ReportText(int32_t row, int32_t column) const;

    [[nodiscard]] HWND reportList() const { return report_; }

    // Draws the thumbnail grid into `dc` (WM_PAINT and WM_PRINTCLIENT share it). While cells
    // are being decoded, each finished row is copied there at once.
    void PaintGrid(HDC dc);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    [[nodiscard]] int32_t RecordCount() const;
    void LayOut();
    void ApplyScroll(int32_t position);
    void OnScroll(WPARAM wp);
    void OnWheel(WPARAM wp);
    void OnLeftButtonDown(WPARAM wp, LPARAM lp);
    void OnContextMenu(LPARAM lp);
    void OnMenuCommand(UINT id);
    void ReportClick(bool controlOrShift);
    void MakeReportColumns(int32_t restWidthFrom);
    void FillReport();
    void NotifyFrame(UINT message, WPARAM wp) const;
    [[nodiscard]] HWND FrameWindow() const;
    bool CreateReportList();
    static LRESULT CALLBACK ReportProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

    SharedLists& lists_;
    ThumbProducer producer_;
    ThumbSelection selection_;
    Mode mode_ = Mode::Thumbnails;
    int32_t position_ = 0;
    int32_t maximum_ = 0;
    int32_t columns_ = 0;
    int32_t firstVisible_ = 0;
    bool columnsMade_ = false;
    HWND report_ = nullptr;
    UniqueMenu contextMenu_;
    UniqueBrush background_;
    UniqueBrush hatch_;
    UniqueBrush frame_;
    UniqueBrush caption_;
};

}  // namespace pv
