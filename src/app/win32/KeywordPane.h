// The keywords and names list in the frame: the word pane (a pane container with a close
// button over a virtual check-box list of the words) and what the keyword bar, the pane and
// the frame's keyword commands do with the words.
#pragma once

#include <memory>

#include "framework/PaneContainer.h"
#include "framework/WinInclude.h"
#include "search/Keywords.h"

namespace pv {

class CMainFrame;

// The pane: its list asks the frame for row texts (UM_PANECMD3) and reports clicks
// (UM_PANECMD1, the row in wParam, 1 in lParam for a click on the check box).
class WordPane final : public PaneContainer {
public:
    WordPane();
    ~WordPane() override;
    WordPane(const WordPane&) = delete;
    WordPane& operator=(const WordPane&) = delete;

    bool CreateWordPane(HWND parent, HWND frame);

    [[nodiscard]] HWND List() const { return list_; }

    // Held while the word list is built or read: a critical section, so that the pane's
    // own row requests on the building thread do not block it.
    void Lock() { EnterCriticalSection(&lock_); }

    void Unlock() { LeaveCriticalSection(&lock_); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    HWND frame_ = nullptr;
    HWND list_ = nullptr;
    CRITICAL_SECTION lock_{};
};

class KeywordFeature {
public:
    explicit KeywordFeature(CMainFrame& frame) : frame_(frame) {}

    // UM_PANECMD3: the texts and check state of a row (an LVITEMW in lParam).
    void RowText(LVITEMW& item);
    // UM_PANECMD1: a click on pane row `row`.
    void Click(int32_t row, bool onCheckBox);
    // The keyword edit box's text changed.
    void Typed();

    // "Keywords and Names List": the pane beside the thumbnails, then button `button`.
    void ShowList(int32_t button);
    void PressButton(int32_t button);
    void WriteCountText();
    void Redraw();
    void ClearAccumulator();
    void ClosePane();
    void Prepare();

    [[nodiscard]] WordPane& pane() { return pane_; }

    [[nodiscard]] const KeywordSearch& search() const { return search_; }

private:
    void EnsurePane();
    void Press(int32_t button);
    void BuildIfNeeded();
    void LatchButtons();
    void ShowResult();

    CMainFrame& frame_;
    WordPane pane_;
    KeywordSearch search_;
    bool shown_ = false;
};

}  // namespace pv
