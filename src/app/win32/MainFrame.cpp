#include "app/win32/MainFrame.h"

#include <algorithm>

#include "app/CommandStates.h"
#include "app/win32/FrameCommands.h"
#include "app/win32/KeywordPane.h"
#include "app/win32/PictureFeatures.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "framework/Module.h"
#include "framework/Rebar.h"
#include "framework/ResourceText.h"
#include "framework/ToolBar.h"
#include "view/BackgroundGrey.h"

namespace pv {

namespace {

constexpr double kSplitFraction = 0.382;
constexpr int kMinTrackWidth = 800;
constexpr int kMinTrackHeight = 660;
constexpr int kFolderBoxLeft = 694;
constexpr int kFolderBoxRight = 874;

HWND MakeEdit(HWND parent, UINT id, DWORD extraStyle) {
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | extraStyle, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return edit;
}

// The normal (restored) rectangle in screen coordinates: the placement keeps it in
// work-area coordinates, and it is the one to come back to from full screen or minimised.
RECT NormalRectOnScreen(const WINDOWPLACEMENT& placement) {
    RECT r = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return r;
}

// Arrow and page keys scroll the image view, whichever window has the focus.
struct ScrollKey {
    WPARAM key;
    UINT message;
    WPARAM code;
};

constexpr ScrollKey kScrollKeys[] = {
        {VK_LEFT, WM_HSCROLL, SB_LINELEFT}, {VK_RIGHT, WM_HSCROLL, SB_LINERIGHT}, {VK_UP, WM_VSCROLL, SB_LINEUP},
        {VK_DOWN, WM_VSCROLL, SB_LINEDOWN}, {VK_PRIOR, WM_VSCROLL, SB_PAGEUP},    {VK_NEXT, WM_VSCROLL, SB_PAGEDOWN},
};

}  // namespace

CMainFrame::CMainFrame(SharedLists& lists)
    : thumbs_(lists), list_(lists), navigator_(list_, *this), search_(std::make_unique<FrameSearch>(*this)) {
    RegisterFileCommands(*this, commands_);
    RegisterViewCommands(*this, commands_);
    RegisterListCommands(*this, commands_);
    RegisterThumbCommands(*this, commands_);
    RegisterShellCommands(*this, commands_);
    RegisterSearchCommands(*this, commands_);
    pictures_ = RegisterPictureCommands(*this, commands_);
    keywords_ = RegisterKeywordCommands(*this, commands_);
    RegisterSelectedFilesCommands(*this, commands_);
}

CMainFrame::~CMainFrame() {
    view_.StopAnimation();
    // A frame that ends without its WM_DESTROY (an exception left its thread's loop) must not
    // stay in the module's window list.
    if (hwnd() != nullptr) {
        Module::RemoveWindow(hwnd());
    }
}

bool CMainFrame::CreateFrame(const StoredRect& rect) {
    WindowCreateArgs args;
    args.className = L"PictavoMainFrame";
    args.title = LoadResourceString(IDR_MAINFRAME);
    args.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    args.exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    args.rect = {rect.left, rect.top, rect.right, rect.bottom};
    args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    args.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    return Create(args);
}

//--- Create --------------------------------------------------------------------------

bool CMainFrame::OnCreate() {
    CreateBars();
    search_->OnCreate(commandBar_.Menu());
    CreatePanes();
    ui_.AddToolBar(toolBar1_);
    ui_.AddToolBar(toolBar2_);
    SyncUi();
    ReadFrameSettings();
    accelerators_.Reset(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    if (MessageLoop* loop = Module::GetMessageLoop(); loop != nullptr) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
    Module::AddWindow(hwnd());
    Layout();
    return true;
}

void CMainFrame::CreateBars() {
    statusBar_.Create(hwnd(), IDC_STATUS_BAR, FrameStatusPanes());
    statusBar_.SetPaneIcon(ID_PANE_ICON, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STATUS)));
    keywordBar_.Create(statusBar_);

    commandBar_.CreateCommandBar(hwnd(), IDC_COMMAND_BAR, IDR_MAINFRAME, hwnd());
    toolBar1_ = CreateToolBar(hwnd(), ToolBar1Spec());
    counter_ = MakeEdit(hwnd(), IDC_POSITION_COUNTER, ES_CENTER | ES_READONLY);
    commandBar_.PlaceControl(counter_, 90, 20);
    toolBar2_ = CreateToolBar(hwnd(), ToolBar2Spec());
    folderBox_ = MakeEdit(toolBar2_, IDC_FOLDER_BOX, ES_AUTOHSCROLL | ES_READONLY);
    const SIZE tb2 = ToolBarIdealSize(toolBar2_);
    const int boxLeft = std::max<int>(kFolderBoxLeft, tb2.cx + 8);
    const int boxWidth = kFolderBoxRight - kFolderBoxLeft;
    SetWindowPos(folderBox_, nullptr, boxLeft, (tb2.cy - 20) / 2, boxWidth, 20, SWP_NOZORDER);

    rebar_ = CreateRebar(hwnd(), IDC_REBAR);
    const SIZE cb = commandBar_.IdealSize();
    SetWindowPos(commandBar_.hwnd(), nullptr, 0, 0, cb.cx, cb.cy, SWP_NOZORDER);
    AddRebarBand(rebar_, {commandBar_.hwnd(), IDC_COMMAND_BAR, true, cb.cy, cb.cx, true});
    const SIZE t1 = ToolBarIdealSize(toolBar1_);
    SetWindowPos(toolBar1_, nullptr, 0, 0, t1.cx, t1.cy, SWP_NOZORDER);
    AddRebarBand(rebar_, {toolBar1_, IDC_TOOLBAR1, true, t1.cy, t1.cx, false});
    SetWindowPos(toolBar2_, nullptr, 0, 0, boxLeft + boxWidth + 8, tb2.cy, SWP_NOZORDER);
    AddRebarBand(rebar_, {toolBar2_, IDC_TOOLBAR2, true, tb2.cy, boxLeft + boxWidth + 8, false});
}

void CMainFrame::CreatePanes() {
    RECT rc{0, 0, 10, 10};
    splitter_.CreateSplitter(hwnd(), rc, IDC_SPLITTER);
    view_.CreateView(splitter_.hwnd(), IDC_IMAGE_VIEW);
    thumbs_.CreateView(splitter_.hwnd(), IDC_THUMB_VIEW);
    splitter_.SetPanes(view_.hwnd(), thumbs_.hwnd());
    splitter_.SetSplitterFraction(kSplitFraction);
    splitter_.SetSinglePaneMode(0);
}

void CMainFrame::ReadFrameSettings() {
    fileManager_ = ReadFileManager();
}

//--- Layout, view modes and full screen -------------------------------------------------

void CMainFrame::Layout() {
    if (rebar_ != nullptr) {
        LayOutFrame(hwnd(), rebar_, statusBar_.hwnd(), splitter_.hwnd());
        pictures_->Layout(splitter_.hwnd());
    }
}

void CMainFrame::ShowModeInPanes() {
    const ViewMode mode = modes_.Mode();
    splitter_.SetSinglePaneMode(StoredViewMode(mode));
    if (mode == ViewMode::Both) {
        splitter_.SetSplitterFraction(kSplitFraction);
    } else if (mode == ViewMode::ThumbsOnly) {
        splitter_.SetSplitterPos(0);
    } else {
        splitter_.SetActivePane(0);
    }
}

void CMainFrame::ApplyViewMode(ViewMode mode) {
    modes_.SetMode(mode);
    ShowModeInPanes();
}

bool CMainFrame::BringImageBack() {
    if (!modes_.BringImageBack()) {
        return false;
    }
    ShowModeInPanes();
    return true;
}

void CMainFrame::Toggle() {
    if (modes_.Toggle(list_.EntryCount())) {
        ShowModeInGrid();
    }
}

void CMainFrame::SetFitToWindow(bool on) {
    fitToWindow_ = on;
    navigator_.SetFitToWindow(on);
    SyncUi();
}

void CMainFrame::ToggleFullScreen() {
    BackgroundGrey() = 0;
    if (modes_.ToggleFullScreen(list_.EntryCount())) {
        ShowModeInGrid();
    }
    InvalidateRect(view_.hwnd(), nullptr, TRUE);
    InvalidateRect(thumbs_.hwnd(), nullptr, TRUE);
    if (modes_.FullScreen()) {
        EnterFullScreen();
    } else {
        LeaveFullScreen();
    }
}

void CMainFrame::EnterFullScreen() {
    ShowWindow(statusBar_.hwnd(), SW_HIDE);
    ShowWindow(rebar_, SW_HIDE);
    savedPlacement_.length = sizeof savedPlacement_;
    GetWindowPlacement(hwnd(), &savedPlacement_);
    RECT r{};
    GetWindowRect(GetDesktopWindow(), &r);
    r.left -= 1;
    r.top -= 1;
    r.right += 10;
    r.bottom += 10;
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
    Layout();
}

void CMainFrame::LeaveFullScreen() {
    ShowWindow(statusBar_.hwnd(), SW_SHOW);
    ShowWindow(rebar_, SW_SHOW);
    SetWindowPlacement(hwnd(), &savedPlacement_);
    if (savedPlacement_.showCmd == SW_SHOWNORMAL) {
        // Some window managers keep a normal window where it is when only its placement
        // changes: put it back explicitly.
        const RECT r = NormalRectOnScreen(savedPlacement_);
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout();
}

void CMainFrame::ToggleToolBarBand() {
    ShowRebarBand(rebar_, IDC_TOOLBAR1, !IsRebarBandVisible(rebar_, IDC_TOOLBAR1));
    Layout();
}

void CMainFrame::ToggleStatusBar() {
    ShowWindow(statusBar_.hwnd(), IsWindowVisible(statusBar_.hwnd()) != FALSE ? SW_HIDE : SW_SHOW);
    Layout();
}

void CMainFrame::ShowFolder(const std::string& folder) {
    SetWindowTextW(folderBox_, Widen(folder).c_str());
}

//--- Keyboard filter and idle update ------------------------------------------------------

bool CMainFrame::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL) {
        POINT p{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        HWND under = WindowFromPoint(p);
        if (under == view_.hwnd() || under == thumbs_.hwnd()) {
            SetFocus(under);
            SendMessageW(under, WM_MOUSEWHEEL, msg->wParam, msg->lParam);
            return true;
        }
        return false;
    }
    if (commandBar_.PreTranslateMessage(msg)) {
        return true;
    }
    // The recent-files drop-down takes its own keys: arrows move its selection, Escape closes it.
    if (msg->hwnd != nullptr && msg->hwnd == search_->DropDownWindow()) {
        return false;
    }
    // Key presses only: a press and its release must scroll once, not twice.
    if (msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_ESCAPE) {
            if (modes_.FullScreen()) {
                ToggleFullScreen();
            }
            thumbs_.LeaveAllSelected();
            msg->wParam = VK_UP;
        }
        for (const ScrollKey& k : kScrollKeys) {
            if (k.key == msg->wParam) {
                SendMessageW(view_.hwnd(), k.message, k.code, 0);
            }
        }
    }
    return accelerators_.get() != nullptr && TranslateAcceleratorW(hwnd(), accelerators_.get(), msg) != 0;
}

void CMainFrame::SyncUi() {
    if (rebar_ == nullptr) {
        return;
    }
    FrameUiState state;
    state.fitToWindow = fitToWindow_;
    state.nearestFilter = view_.model().zoom().Filter() == kFilterNearest;
    state.effects = view_.model().effects();
    state.toolBarVisible = IsRebarBandVisible(rebar_, IDC_TOOLBAR1);
    state.statusBarVisible = IsWindowVisible(statusBar_.hwnd()) != FALSE;
    state.hasPicture = view_.model().ImageReady();
    state.clipboardHasBitmap = IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
    state.previewRunning = pictures_->PreviewRunning();
    for (const CommandUi& c : FrameCommandStates(state)) {
        ui_.Set(c.id, {c.enabled, c.checked});
    }
    ui_.PushToToolBars();
}

bool CMainFrame::OnIdle() {
    if (modes_.Mode() != ViewMode::ImageOnly && list_.EntryCount() != 0) {
        thumbs_.StartProducer();
    }
    SyncUi();
    return false;
}

//--- NavigatorHost -----------------------------------------------------------------------

int CMainFrame::OpenInView(bool fit, const std::string& path) {
    return view_.OpenInView(fit, path);
}

ViewTextState CMainFrame::ViewState() const {
    const ImageView& m = view_.model();
    ViewTextState s;
    s.media = m.IsMedia();
    s.frameCount = m.FrameCount();
    s.width = m.zoom().ImageWidth();
    s.height = m.zoom().ImageHeight();
    s.zoomPermille = m.zoom().Permille();
    return s;
}

void CMainFrame::SetCounterText(const std::string& text) {
    SetWindowTextW(counter_, Widen(text).c_str());
}

void CMainFrame::SetTitleText(const std::string& text) {
    SetWindowTextW(hwnd(), Widen(text).c_str());
}

void CMainFrame::SetStatusText(const std::string& text) {
    statusBar_.SetPaneText(ID_PANE_MAIN, Widen(text));
}

void CMainFrame::StopWorkers() {
    view_.StopAnimation();
    thumbs_.StopProducer();
}

void CMainFrame::StoreOpenFile(const std::string& path) {
    WriteOpenFile(path);
}

void CMainFrame::ShowInfo(const std::string& text) {
    MessageBoxW(hwnd(), Widen(text).c_str(), L"Pictavo", MB_OK | MB_ICONINFORMATION);
}

//--- Roads -------------------------------------------------------------------------------

void CMainFrame::OpenCommandLineFile(const std::string& fullPath) {
    navigator_.OpenCommandLineFile(fullPath);
    ShowFolder(navigator_.CurrentFolder());
}

bool CMainFrame::BrowseFolderArgument(const std::string& folder) {
    return search_->BrowseFolder(folder);
}

//--- Commands and messages ---------------------------------------------------------------

void CMainFrame::OnCommand(UINT id) {
    SyncUi();
    if (ui_.Has(id) && !ui_.State(id).enabled) {
        return;  // an accelerator of a command that is not available
    }
    commands_.Run(id);
    SyncUi();
}

bool CMainFrame::OnPrivateMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = 0;
    switch (msg) {
    case UM_SHOWITEM: result = navigator_.ShowItem(static_cast<int32_t>(wp)); return true;
    case UM_SHOWINDEX: navigator_.ShowIndex(static_cast<int32_t>(wp)); return true;
    case UM_RESETSPLIT:
        if (list_.EntryCount() != 0) {
            splitter_.SetSplitterFraction(kSplitFraction);
        }
        return true;
    case UM_OPENDIALOG: OnCommand(ID_FILE_OPEN); return true;
    case UM_FOLDERSDIALOG: OnCommand(ID_FILE_FOLDERS); return true;
    case UM_VIEWMENUCMD: SyncUi(); return true;
    case UM_SAVEAS: OnCommand(ID_FILE_SAVE); return true;
    case UM_OPENPATH: search_->OnOpenPath(); return true;
    case UM_SEARCHDONE: search_->OnSearchDone(); return true;
    case UM_SETFILEMANAGER: fileManager_ = static_cast<int32_t>(wp); return true;
    case UM_REFRESHTEXTS: navigator_.RefreshTexts(); return true;
    case UM_COPYPREVIEW: pictures_->CopyPreview(wp, lp); return true;
    case UM_PANECMD1: keywords_->Click(static_cast<int32_t>(wp), lp != 0); return true;
    case UM_PANECMD3: keywords_->RowText(*reinterpret_cast<LVITEMW*>(lp)); return true;
    default: return false;
    }
}

void CMainFrame::OnClose() {
    if (modes_.FullScreen()) {
        modes_.LeaveFullScreenForClose();
        LeaveFullScreen();
    }
    // A minimised frame's window rectangle is its icon's, not one to start with next time:
    // store the normal rectangle it comes back to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd(), &placement);
    RECT r{};
    if (IsIconic(hwnd()) != FALSE) {
        r = NormalRectOnScreen(placement);
    } else {
        GetWindowRect(hwnd(), &r);
    }
    WriteFrameCloseSettings({r.left, r.top, r.right, r.bottom}, StoredViewMode(modes_.Mode()), fitToWindow_ ? 1 : 0);
    // Before the window goes: the system gives up a window's clipboard ownership first.
    pictures_->FrameEnding();
    DestroyWindow(hwnd());
}

LRESULT CMainFrame::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT result = 0; msg >= UM_FIRST && msg <= UM_LAST && OnPrivateMessage(msg, wp, lp, result)) {
        return result;
    }
    switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SIZE: Layout(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
        if (modes_.FullScreen()) {
            // The full-screen frame hangs over every edge of the screen.
            info->ptMaxTrackSize = {0x7FFF, 0x7FFF};
        }
        return 0;
    }
    case WM_SETFOCUS:
        if (IsWindowVisible(view_.hwnd())) {
            SetFocus(view_.hwnd());
        }
        return 0;
    case WM_INITMENUPOPUP:
        SyncUi();
        ui_.ApplyToMenu(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_MENUSELECT:
        if (HIWORD(wp) != 0xFFFF && (HIWORD(wp) & MF_POPUP) == 0) {
            statusBar_.SetPaneText(ID_PANE_MAIN, CommandPrompt(LOWORD(wp)));
        }
        return 0;
    case WM_COMMAND:
        if (lp == 0 || HIWORD(wp) == BN_CLICKED) {
            OnCommand(LOWORD(wp));
        } else if (LOWORD(wp) == IDC_KEYWORD_EDIT && HIWORD(wp) == EN_CHANGE) {
            keywords_->Typed();
        }
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->code == RBN_HEIGHTCHANGE) {
            Layout();
        } else if (header->hwndFrom != nullptr && header->hwndFrom == thumbs_.reportList()) {
            return OnReportNotify(*header);
        }
        if (reinterpret_cast<NMHDR*>(lp)->code == TBN_DROPDOWN) {
            OnCommand(ID_FILE_MRU_DROPDOWN);
            return TBDDRET_DEFAULT;
        }
        return 0;
    }
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
        pictures_->FrameEnding();
        if (MessageLoop* loop = Module::GetMessageLoop(); loop != nullptr) {
            loop->RemoveMessageFilter(this);
            loop->RemoveIdleHandler(this);
        }
        Module::RemoveWindow(hwnd());
        // A top-level frame's end is its thread's end: the loop quits with code 1.
        PostQuitMessage(1);
        return 0;
    default: return Window::OnMessage(msg, wp, lp);
    }
}

}  // namespace pv
