// The frame's place in the current file list and the roads that move it: Next, Previous,
// Begin, a click or double-click in the thumbnail or report view, and a file named on the
// command line. Every road ends in the image view's OpenInView and in the frame's texts.
#pragma once

#include <cstdint>
#include <string>

#include "app/FrameTexts.h"
#include "app/NavigationList.h"

namespace pv {

// What navigation asks of the frame and its two views.
class NavigatorHost {
public:
    NavigatorHost() = default;
    NavigatorHost(const NavigatorHost&) = delete;
    NavigatorHost& operator=(const NavigatorHost&) = delete;
    virtual ~NavigatorHost() = default;

    // The image view's OpenInView: nonzero when the file is shown.
    virtual int OpenInView(bool fit, const std::string& path) = 0;
    [[nodiscard]] virtual ViewTextState ViewState() const = 0;
    virtual void SetCounterText(const std::string& text) = 0;
    virtual void SetTitleText(const std::string& text) = 0;
    virtual void SetStatusText(const std::string& text) = 0;

    // Stop the thumbnail worker and the image view's animation worker (handshake).
    virtual void StopWorkers() {}

    // When only thumbnails show, bring the image view back beside them (splitter at 0.382
    // of the width); true when it did.
    virtual bool BringImageBack() { return false; }

    // The thumbnail view highlights the current cell.
    virtual void SetThumbCurrent(int32_t /*index*/) {}

    // Mark the entry hot (in report mode also scroll it into view).
    virtual void MarkHot(int32_t /*index*/) {}

    virtual void ScrollThumbsTo(int32_t /*index*/) {}

    // Begin: current index and scroll position 0, lay out again.
    virtual void ResetThumbView() {}

    // The command-line road: tag tables reset, the view gets the folder and lays out.
    virtual void ShowFolderInThumbs(const std::string& /*folder*/) {}

    // Store the path as OpenFile (settings key).
    virtual void StoreOpenFile(const std::string& /*path*/) {}

    // A message box captioned "Pictavo" with the information icon, owned by the frame.
    virtual void ShowInfo(const std::string& /*text*/) {}
};

class Navigator {
public:
    Navigator(NavigationList& list, NavigatorHost& host) : list_(list), host_(host) {}

    // Every road below opens at most one file at a time: a road that arrives while another
    // is still opening (a message box of that open is up, say) is refused, never run inside
    // it, so the paused open cannot release what the second one loaded.
    [[nodiscard]] bool Busy() const { return busy_; }

    void Next();
    void Previous();
    void Begin();
    // UM_SHOWITEM: open entry i once (no stepping). Returns the message result, 0.
    int ShowItem(int32_t index);
    // UM_SHOWINDEX: take the list's folder and count, open entry i once.
    void ShowIndex(int32_t index);
    // The report view's double-click on entry i.
    void ReportDoubleClick(int32_t index);
    // A file named on the command line: its folder becomes the list, the file the current
    // entry (found by name), then the stepping loop with per-try texts.
    void OpenCommandLineFile(const std::string& path);
    // UM_OPENPATH: the same road, the entry found by its long name only.
    void OpenTreePath(const std::string& path);
    // File Open: the chosen file is shown and becomes the current path; its folder becomes
    // the list.
    void OpenChosenFile(const std::string& path);
    // The folder of `path` becomes the list without opening anything (File Open cancelled).
    void ListFolderOf(const std::string& path);
    // A recent file: shown and, only when it opened, its folder becomes the list (a file that
    // is gone must not replace the list the user has). False when it did not open.
    bool OpenRecentFile(const std::string& path);
    // A new shown list (a search's result): its root becomes the current folder and the
    // entries are tried from `start` on. With `perTryTexts` the counter and the main pane are
    // written before each try and the title is left; otherwise the texts are refreshed after.
    void ShowNewList(int32_t start, bool perTryTexts);

    // Reorders the list with `sort`; the file shown stays current wherever it moved to.
    template <typename Sort>
    void SortKeepingCurrent(Sort&& sort) {
        if (busy_) {
            return;
        }
        sort();
        FollowCurrentPath();
    }

    // Counter, title and main status pane, in that order. With an empty list only a picture
    // that came from no file is described (title and status pane); otherwise nothing.
    void RefreshTexts();
    // A picture that came from no file (pasted, captured) is shown under `name`: it is the
    // current path until the next file opens, and the texts say so.
    void ShowNamedPicture(const std::string& name);

    void SetFitToWindow(bool fit) { fit_ = fit; }

    [[nodiscard]] bool FitToWindow() const { return fit_; }

    void SetCurrentFolder(const std::string& folder) { currentFolder_ = folder; }

    void SetFileCount(int32_t count) { fileCount_ = count; }

    void SetCurrentIndex(int32_t index) { currentIndex_ = index; }

    [[nodiscard]] int32_t FileCount() const { return fileCount_; }

    [[nodiscard]] int32_t CurrentIndex() const { return currentIndex_; }

    [[nodiscard]] int32_t ShownIndex() const { return shownIndex_; }

    [[nodiscard]] const std::string& CurrentFolder() const { return currentFolder_; }

    [[nodiscard]] const std::string& CurrentPath() const { return currentPath_; }

private:
    // The stepping loop: from `start` in `direction` (+1 or -1) until a file opens or the
    // list ends (no wrapping; the last entry tried stays current). With `perTryTexts` the
    // counter and the main status pane are written before each try.
    void ShowListEntry(int32_t start, int32_t direction, bool perTryTexts = false);
    void Step(int32_t direction);
    // The list becomes the folder of `path`, with its entry current.
    void AdoptFolderOf(const std::string& path);
    void FollowCurrentPath();
    void OpenFolderOf(const std::string& path, bool compareShortNames);
    void WriteCounterAndStatus();

    NavigationList& list_;
    NavigatorHost& host_;
    int32_t fileCount_ = 0;
    int32_t currentIndex_ = 0;
    int32_t shownIndex_ = 0;
    std::string currentFolder_;
    std::string currentPath_;
    bool fit_ = false;
    bool busy_ = false;
};

}  // namespace pv
