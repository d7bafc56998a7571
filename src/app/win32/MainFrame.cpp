#include "app/win32/MainFrame.h"

#include <array>
#include <shellapi.h>
#include <vector>

#include "base/ResourceIds.h"
#include "app/FrameTexts.h"
#include "app/OpenFilters.h"
#include "base/Text.h"
#include "base/win32/Wide.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/Module.h"
#include "framework/Rebar.h"
#include "framework/ResourceText.h"
#include "framework/ToolBar.h"
#include "imaging/JpegWriter.h"
#include "platform/Collation.h"
#include "platform/Settings.h"
#include "search/Ordering.h"
#include "view/BackgroundGrey.h"
#include "view/win32/ResizeDlg.h"

namespace pv {

namespace {

constexpr double kSplitFraction = 0.382;
constexpr int kMinTrackWidth = 800;
constexpr int kMinTrackHeight = 660;
constexpr int kFolderBoxLeft = 694;
constexpr int kFolderBoxRight = 874;

// Commands whose work is not in this build yet: they stay in the menus, disabled, so no
// command pretends to work.
constexpr std::array<UINT, 27> kNotBuiltYet = {
        ID_FILE_FOLDERS,
        ID_FILE_CAPTURE,
        ID_FILE_PRINT,
        ID_FILE_PAGE_SETUP,
        ID_FILE_PRINT_PREVIEW,
        ID_FILE_MRU_DROPDOWN,
        ID_EDIT_CUT,
        ID_EDIT_COPY,
        ID_EDIT_PASTE,
        ID_OPTIONS_ASSOCIATE,
        ID_OPTIONS_MANAGER_CHOICE,
        ID_VIEW_SLIDESHOW,
        ID_VIEW_THUMBNAILS,
        ID_VIEW_REPORT,
        ID_LIST_SORT_DIALOG,
        ID_LIST_OPEN,
        ID_LIST_SAVE,
        ID_LIST_KEYWORDS,
        ID_LIST_MANAGER,
        ID_WALLPAPER_SET,
        ID_SELECT_ALL,
        ID_SELECT_CLEAR,
        ID_SELECT_COPY,
        ID_SELECT_DELETE,
        ID_KEYWORDS_COUNTTEXT,
        ID_KEYWORDS_PREPARE,
        ID_KEYWORDS_REDRAW,
};

HFONT GuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND MakeEdit(HWND parent, UINT id, DWORD extraStyle) {
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | extraStyle, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    return edit;
}

}  // namespace

// The thumbnail pane until the thumbnail view lands: the frame's grey, nothing else.
class ThumbsPlaceholder final : public Window {
public:
    bool CreatePane(HWND parent) {
        WindowCreateArgs args;
        args.className = L"PictavoThumbsPane";
        args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        args.exStyle = WS_EX_CLIENTEDGE;
        args.rect = {0, 0, 0, 0};
        args.parent = parent;
        args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_THUMB_VIEW));
        return Create(args);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_ERASEBKGND) {
            RECT r{};
            GetClientRect(hwnd(), &r);
            const uint8_t v = BackgroundGrey().load();
            HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(v) * 0x010101u);
            FillRect(reinterpret_cast<HDC>(wp), &r, brush);
            DeleteObject(brush);
            return 1;
        }
        return Window::OnMessage(msg, wp, lp);
    }
};

CMainFrame::CMainFrame(SharedLists& lists)
    : thumbs_(std::make_unique<ThumbsPlaceholder>()), list_(lists), navigator_(list_, *this) {}

CMainFrame::~CMainFrame() {
    view_.StopAnimation();
    if (accelerators_ != nullptr) {
        DestroyAcceleratorTable(accelerators_);
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
    CreatePanes();
    InitUpdateUi();
    ReadFrameSettings();
    accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
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
    thumbs_->CreatePane(splitter_.hwnd());
    splitter_.SetPanes(view_.hwnd(), thumbs_->hwnd());
    splitter_.SetSplitterFraction(kSplitFraction);
    splitter_.SetSinglePaneMode(0);
}

void CMainFrame::InitUpdateUi() {
    ui_.AddToolBar(toolBar1_);
    ui_.AddToolBar(toolBar2_);
    for (UINT id : kNotBuiltYet) {
        ui_.Enable(id, false);
    }
    for (UINT id = ID_SORT_FIRST; id <= ID_SORT_LAST; ++id) {
        ui_.Enable(id, true);
    }
    ui_.Check(ID_VIEW_FITTOWINDOW, false);
    ui_.Check(ID_VIEW_TOOLBAR, true);
    ui_.Check(ID_VIEW_STATUS_BAR, true);
    ui_.Check(ID_VIEW_NEAREST, false);
    ui_.Check(ID_VIEW_BILINEAR, true);
    for (UINT id : std::initializer_list<UINT>{ID_EFFECT_GRAYSCALE, ID_EFFECT_HFLIP, ID_EFFECT_VFLIP,
                                               ID_EFFECT_NEGATIVE, ID_EFFECT_GLASS, ID_EFFECT_STIPPLEDGLASS}) {
        ui_.Check(id, false);
    }
}

void CMainFrame::ReadFrameSettings() {
    std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey);
    if (!key) {
        return;
    }
    if (auto v = key->ReadDword("FileManager")) {
        fileManager_ = static_cast<int32_t>(*v);
    }
}

//--- Layout and view modes -------------------------------------------------------------

void CMainFrame::Layout() {
    if (rebar_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(statusBar_.hwnd(), WM_SIZE, 0, 0);
    SetWindowPos(rebar_, nullptr, 0, 0, client.right, 0, SWP_NOZORDER);
    int top = 0;
    if (IsWindowVisible(rebar_)) {
        RECT rb{};
        GetWindowRect(rebar_, &rb);
        top = rb.bottom - rb.top;
    }
    int bottom = client.bottom;
    if (IsWindowVisible(statusBar_.hwnd())) {
        RECT sb{};
        GetWindowRect(statusBar_.hwnd(), &sb);
        bottom -= sb.bottom - sb.top;
    }
    SetWindowPos(splitter_.hwnd(), nullptr, 0, top, client.right, std::max(0, bottom - top), SWP_NOZORDER);
}

void CMainFrame::ApplyViewMode(int32_t mode) {
    viewMode_ = mode == -1 || mode == 1 ? mode : 0;
    splitter_.SetSinglePaneMode(viewMode_);
    if (viewMode_ == -1) {
        splitter_.SetSplitterFraction(kSplitFraction);
    } else if (viewMode_ == 1) {
        splitter_.SetSplitterPos(0);
    } else {
        splitter_.SetActivePane(0);
    }
}

void CMainFrame::ShowBothPanes() {
    ApplyViewMode(-1);
}

void CMainFrame::OnToggle() {
    if (list_.EntryCount() == 0) {
        return;
    }
    switch (viewMode_) {
    case -1: ApplyViewMode(0); break;
    case 0: ApplyViewMode(1); break;
    default: ApplyViewMode(-1); break;
    }
}

void CMainFrame::SetFitToWindow(bool on) {
    fitToWindow_ = on;
    navigator_.SetFitToWindow(on);
    ui_.Check(ID_VIEW_FITTOWINDOW, on);
    ui_.PushToToolBars();
}

//--- Full screen -----------------------------------------------------------------------

void CMainFrame::ToggleFullScreen() {
    BackgroundGrey() = 0;
    if (list_.EntryCount() != 0) {
        OnToggle();
    }
    InvalidateRect(view_.hwnd(), nullptr, TRUE);
    InvalidateRect(thumbs_->hwnd(), nullptr, TRUE);
    if (fullScreen_) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
    }
}

void CMainFrame::EnterFullScreen() {
    fullScreen_ = true;
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
    fullScreen_ = false;
    ShowWindow(statusBar_.hwnd(), SW_SHOW);
    ShowWindow(rebar_, SW_SHOW);
    SetWindowPlacement(hwnd(), &savedPlacement_);
    if (savedPlacement_.showCmd == SW_SHOWNORMAL) {
        // Some window managers keep a normal window where it is when only its placement
        // changes: put it back explicitly. The normal position is in work-area coordinates.
        RECT r = savedPlacement_.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
        OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout();
}

void CMainFrame::ShowToolBarBand(bool show) {
    ShowRebarBand(rebar_, IDC_TOOLBAR1, show);
    Layout();
}

void CMainFrame::ShowStatusBar(bool show) {
    ShowWindow(statusBar_.hwnd(), show ? SW_SHOW : SW_HIDE);
    Layout();
}

//--- Keyboard filter and idle update ------------------------------------------------------

bool CMainFrame::ScrollKey(MSG* msg) {
    UINT scroll = 0;
    WPARAM code = 0;
    switch (msg->wParam) {
    case VK_LEFT:
        scroll = WM_HSCROLL;
        code = SB_LINELEFT;
        break;
    case VK_RIGHT:
        scroll = WM_HSCROLL;
        code = SB_LINERIGHT;
        break;
    case VK_UP:
        scroll = WM_VSCROLL;
        code = SB_LINEUP;
        break;
    case VK_DOWN:
        scroll = WM_VSCROLL;
        code = SB_LINEDOWN;
        break;
    case VK_PRIOR:
        scroll = WM_VSCROLL;
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        scroll = WM_VSCROLL;
        code = SB_PAGEDOWN;
        break;
    default: return false;
    }
    SendMessageW(view_.hwnd(), scroll, code, 0);
    return true;
}

bool CMainFrame::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL) {
        POINT p{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        HWND under = WindowFromPoint(p);
        if (under == view_.hwnd() || under == thumbs_->hwnd()) {
            SetFocus(under);
            SendMessageW(under, WM_MOUSEWHEEL, msg->wParam, msg->lParam);
            return true;
        }
        return false;
    }
    if (commandBar_.PreTranslateMessage(msg)) {
        return true;
    }
    // Key presses only: a press and its release must scroll once, not twice.
    if (msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_ESCAPE) {
            if (fullScreen_) {
                ToggleFullScreen();
            }
            msg->wParam = VK_UP;
        }
        ScrollKey(msg);
    }
    return accelerators_ != nullptr && TranslateAcceleratorW(hwnd(), accelerators_, msg) != 0;
}

bool CMainFrame::OnIdle() {
    if (rebar_ == nullptr) {
        return false;
    }
    ui_.Check(ID_VIEW_TOOLBAR, IsRebarBandVisible(rebar_, IDC_TOOLBAR1));
    ui_.Check(ID_VIEW_STATUS_BAR, IsWindowVisible(statusBar_.hwnd()) != FALSE);
    ui_.PushToToolBars();
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
}

void CMainFrame::StoreOpenFile(const std::string& path) {
    std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey);
    if (key) {
        key->WriteString("OpenFile", path);
    }
}

//--- Roads -------------------------------------------------------------------------------

void CMainFrame::OpenCommandLineFile(const std::string& fullPath) {
    navigator_.OpenCommandLineFile(fullPath);
    SetWindowTextW(folderBox_, Widen(navigator_.CurrentFolder()).c_str());
}

bool CMainFrame::BrowseFolderArgument(const std::string& /*folder*/) {
    return true;
}

void CMainFrame::BuildFolderListFor(const std::string& path) {
    const int32_t index = list_.BuildFolderList(path);
    navigator_.SetCurrentFolder(list_.RootFolder());
    navigator_.SetFileCount(list_.EntryCount());
    navigator_.SetCurrentIndex(index);
    SetWindowTextW(folderBox_, Widen(list_.RootFolder()).c_str());
}

void CMainFrame::OnFileOpen() {
    std::string openFile;
    if (std::unique_ptr<SettingsKey> key = OpenSettingsKey(kProgramKey)) {
        openFile = key->ReadString("OpenFile").value_or(std::string());
    }
    std::vector<FileFilter> filters;
    for (const OpenFilterRow& row : kOpenFilters) {
        filters.push_back({row.description, row.patterns});
    }
    FileDialogOptions options;
    options.owner = hwnd();
    options.filters = filters;
    options.filterIndex = 1;
    options.initialName = openFile;
    options.defaultExtension = kOpenDefaultExtension;
    options.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    FileDialogResult r = ShowOpenFileDialog(options);
    if (r.ok) {
        StopWorkers();
        view_.OpenInView(fitToWindow_, r.path);
        BuildFolderListFor(r.path);
        navigator_.RefreshTexts();
        const std::string title = Narrow(LoadResourceString(IDR_MAINFRAME)) + " - " + std::string(FileNameOf(r.path));
        SetWindowTextW(hwnd(), Widen(title).c_str());
    }
    const std::string name = r.ok ? r.path : r.nameField;
    if (!name.empty()) {
        StoreOpenFile(name);
        if (!r.ok) {
            BuildFolderListFor(name);
        }
    }
}

void CMainFrame::OnSaveAs() {
    if (list_.EntryCount() == 0) {
        return;
    }
    const DisplayBuffer d = view_.ShownPicture();
    if (d.IsEmpty()) {
        MessageBeep(MB_OK);
        return;
    }
    const FileFilter filters[] = {{"JPG File (*.jpg)", "*.jpg"}, {"Bitmap File (*.bmp)", "*.bmp"}};
    FileDialogOptions options;
    options.owner = hwnd();
    options.filters = filters;
    options.initialName = DefaultSaveName(navigator_.CurrentPath());
    options.defaultExtension = std::string(kSaveDefaultExtension);
    options.flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    FileDialogResult r = ShowSaveFileDialog(options);
    if (!r.ok) {
        return;
    }
    const SaveFormat format = r.filterIndex == 2 ? SaveFormat::Bmp : SaveFormat::Jpeg;
    const std::string target = SaveNameFor(r.path, format);
    ImageBuffer shown;
    shown.width = d.width;
    shown.height = d.height;
    shown.bitsPerPixel = 24;
    shown.stride = d.stride;
    shown.pixels = const_cast<uint8_t*>(d.bytes.data());
    // A failed write must not look like a saved picture.
    if (SavePicture(target, shown, format) != Status::Ok) {
        const std::wstring text = L"The picture could not be saved as\n" + Widen(target);
        MessageBoxW(hwnd(), text.c_str(), L"Pictavo", MB_OK | MB_ICONWARNING);
    }
}

void CMainFrame::OnResize() {
    const ImageView& m = view_.model();
    if (!m.ImageReady()) {
        MessageBeep(MB_OK);
        return;
    }
    CResizeDlg dialog;
    dialog.imageWidth = m.zoom().ImageWidth();
    dialog.imageHeight = m.zoom().ImageHeight();
    dialog.filterIndex = resizeFilterIndex_;
    if (dialog.DoModal(GetActiveWindow() != nullptr ? GetActiveWindow() : hwnd()) != IDOK) {
        return;
    }
    resizeFilterIndex_ = dialog.filterIndex;
    if (view_.ApplyResize(dialog.width, dialog.height, dialog.filterIndex + 1)) {
        navigator_.RefreshTexts();
    } else {
        MessageBeep(MB_OK);
    }
}

void CMainFrame::OnHelp() {
    // The old help format is gone from Windows: the help is a page beside the program.
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring page(exe);
    page = page.substr(0, page.find_last_of(L'\\') + 1) + L"Pictavo.html";
    const auto result =
            reinterpret_cast<INT_PTR>(ShellExecuteW(hwnd(), L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        const std::wstring text = L"Pictavo's help is the page\n" + page + L"\nOpen it in your web browser.";
        MessageBoxW(hwnd(), text.c_str(), L"Pictavo", MB_OK | MB_ICONINFORMATION);
    }
}

//--- Commands ----------------------------------------------------------------------------

void CMainFrame::SyncFilterChecks() {
    const bool nearest = view_.model().zoom().Filter() == kFilterNearest;
    ui_.Check(ID_VIEW_NEAREST, nearest);
    ui_.Check(ID_VIEW_BILINEAR, !nearest);
}

void CMainFrame::OnEffect(UINT id) {
    bool* flag = nullptr;
    switch (id) {
    case ID_EFFECT_GRAYSCALE: flag = &effects_.grayScale; break;
    case ID_EFFECT_HFLIP: flag = &effects_.horizontalFlip; break;
    case ID_EFFECT_VFLIP: flag = &effects_.verticalFlip; break;
    case ID_EFFECT_NEGATIVE: flag = &effects_.negative; break;
    case ID_EFFECT_GLASS: flag = &effects_.glass; break;
    default: flag = &effects_.stippledGlass; break;
    }
    *flag = !*flag;
    ui_.Check(id, *flag);
    view_.SetEffects(effects_);
}

bool CMainFrame::OnViewCommand(UINT id) {
    switch (id) {
    case ID_VIEW_ORIGINAL: view_.OriginalSize(); break;
    case ID_VIEW_ZOOMIN: view_.ZoomIn(); break;
    case ID_VIEW_ZOOMOUT: view_.ZoomOut(); break;
    case ID_VIEW_NEAREST:
    case ID_VIEW_BILINEAR:
        view_.SetFilter(id == ID_VIEW_NEAREST ? kFilterNearest : kFilterBilinear);
        SyncFilterChecks();
        return true;
    case ID_VIEW_FITTOWINDOW:
        SetFitToWindow(!fitToWindow_);
        view_.SetFitFlag(fitToWindow_);
        break;
    case ID_VIEW_TOOLBAR: ShowToolBarBand(!IsRebarBandVisible(rebar_, IDC_TOOLBAR1)); return true;
    case ID_VIEW_STATUS_BAR: ShowStatusBar(IsWindowVisible(statusBar_.hwnd()) == FALSE); return true;
    case ID_VIEW_FULLSCREEN: ToggleFullScreen(); return true;
    case ID_VIEW_TOGGLE: OnToggle(); return true;
    case ID_IMAGE_RESIZE: OnResize(); return true;
    default: return false;
    }
    if (list_.EntryCount() != 0) {
        navigator_.RefreshTexts();
    }
    return true;
}

bool CMainFrame::OnListCommand(UINT id) {
    switch (id) {
    case ID_LIST_FORWARD: navigator_.Next(); return true;
    case ID_LIST_BACK: navigator_.Previous(); return true;
    case ID_LIST_BEGIN: navigator_.Begin(); return true;
    default: break;
    }
    if (id >= ID_SORT_FIRST && id <= ID_SORT_LAST) {
        if (list_.EntryCount() == 0) {
            return true;
        }
        // Sorting keeps the current file current, wherever it moves to.
        const std::string current = navigator_.CurrentPath();
        RunMenuSort(list_.lists(), static_cast<int>(id), [](int32_t) {});
        for (int32_t i = 0; i < list_.EntryCount(); ++i) {
            if (list_.RootFolder() + list_.RelativePath(i) == current) {
                navigator_.SetCurrentIndex(i);
                break;
            }
        }
        navigator_.RefreshTexts();
        return true;
    }
    return false;
}

void CMainFrame::OnCommand(UINT id) {
    if (ui_.Has(id) && !ui_.State(id).enabled) {
        return;  // an accelerator of a command that is not available
    }
    if (OnViewCommand(id) || OnListCommand(id)) {
        return;
    }
    switch (id) {
    case ID_FILE_NEW: view_.PaintBackgroundOnly(); break;
    case ID_FILE_OPEN: OnFileOpen(); break;
    case ID_FILE_SAVE: OnSaveAs(); break;
    case ID_APP_EXIT: PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    case ID_EFFECT_GRAYSCALE:
    case ID_EFFECT_HFLIP:
    case ID_EFFECT_VFLIP:
    case ID_EFFECT_NEGATIVE:
    case ID_EFFECT_GLASS:
    case ID_EFFECT_STIPPLEDGLASS: OnEffect(id); break;
    case ID_OPTIONS_UNCHECK_AUTO:
        if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
            key->WriteDword("CheckRunAuto", 0);
        }
        break;
    case ID_HELP_TOPICS: OnHelp(); break;
    case ID_APP_ABOUT: {
        Dialog about(IDD_ABOUT);
        about.DoModal(hwnd());
        break;
    }
    default: break;
    }
}

bool CMainFrame::OnPrivateMessage(UINT msg, WPARAM wp, LPARAM /*lp*/, LRESULT& result) {
    result = 0;
    switch (msg) {
    case UM_SHOWITEM: result = navigator_.ShowItem(static_cast<int32_t>(wp)); return true;
    case UM_SHOWINDEX: navigator_.ShowIndex(static_cast<int32_t>(wp)); return true;
    case UM_RESETSPLIT:
        if (list_.EntryCount() != 0) {
            splitter_.SetSplitterFraction(kSplitFraction);
        }
        return true;
    case UM_OPENDIALOG: OnFileOpen(); return true;
    case UM_FOLDERSDIALOG: OnCommand(ID_FILE_FOLDERS); return true;
    case UM_VIEWMENUCMD:
        SyncFilterChecks();
        OnIdle();
        return true;
    case UM_SAVEAS: OnSaveAs(); return true;
    case UM_SETFILEMANAGER: fileManager_ = static_cast<int32_t>(wp); return true;
    case UM_REFRESHTEXTS: navigator_.RefreshTexts(); return true;
    default: return false;
    }
}

//--- Messages ----------------------------------------------------------------------------

void CMainFrame::OnClose() {
    if (fullScreen_) {
        LeaveFullScreen();
    }
    RECT r{};
    GetWindowRect(hwnd(), &r);
    WriteFrameCloseSettings({r.left, r.top, r.right, r.bottom}, viewMode_, fitToWindow_ ? 1 : 0);
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
        if (fullScreen_) {
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
    case WM_INITMENUPOPUP: ui_.ApplyToMenu(reinterpret_cast<HMENU>(wp)); return 0;
    case WM_MENUSELECT:
        if (HIWORD(wp) != 0xFFFF && (HIWORD(wp) & MF_POPUP) == 0) {
            statusBar_.SetPaneText(ID_PANE_MAIN, CommandPrompt(LOWORD(wp)));
        }
        return 0;
    case WM_COMMAND:
        if (lp == 0 || HIWORD(wp) == BN_CLICKED) {
            OnCommand(LOWORD(wp));
        }
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lp)->code == RBN_HEIGHTCHANGE) {
            Layout();
        }
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY:
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
