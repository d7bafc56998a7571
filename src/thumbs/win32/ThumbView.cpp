#include "thumbs/win32/ThumbView.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/ResourceIds.h"
#include "base/win32/BitmapInfo.h"
#include "base/win32/Wide.h"
#include "framework/CallbackGuard.h"
#include "search/Ordering.h"
#include "thumbs/ThumbGrid.h"
#include "view/BackgroundGrey.h"

namespace pv {

namespace {

constexpr COLORREF kBackgroundFill = RGB(208, 211, 209);
constexpr COLORREF kHatch = RGB(192, 195, 193);
constexpr COLORREF kFrame = RGB(128, 131, 129);
constexpr COLORREF kCaptionBox = RGB(232, 236, 233);
constexpr COLORREF kCaptionText = RGB(0, 0, 27);
constexpr COLORREF kReportText = RGB(8, 8, 32);
constexpr int kFramePixels = 2;
constexpr int kFontTenthsOfPoint = 80;
constexpr int kKeyboardMenuOffset = 5;

constexpr const wchar_t* kUnreadableText = L"Can't read file";
constexpr const wchar_t* kVideoText = L"Video file";
constexpr const wchar_t* kAudioText = L"Audio file";
constexpr const wchar_t* kEmptyReportText = L"No Folder(s) With Pictures";
constexpr const wchar_t* kEmptyReportCaption = L"Norel";

struct ReportColumn {
    const wchar_t* title;
    int width;  // 0: the rest of the client width
};

constexpr ReportColumn kReportColumns[] = {
        {L"File Name", 300},    {L"File Size", 80},  {L"Modification Time", 80},
        {L"Creation Time", 80}, {L"Access Time", 0},
};
// The last column takes the client width less these, by whoever made the columns first:
// showing the report, or a sort or list file while the report was already the mode.
constexpr int kRestAfterShow = 542;
constexpr int kRestAfterSort = 573;
// The narrowest the last column is made: a pane narrower than the fixed columns must not
// hide it altogether.
constexpr int kMinRestColumn = 80;

// The name under a thumbnail: the relative path after its last "\".
std::wstring CaptionOf(const std::string& relativePath) {
    const size_t slash = relativePath.rfind('\\');
    return Widen(slash == std::string::npos ? relativePath : relativePath.substr(slash + 1));
}

const wchar_t* StatusText(ThumbStatus status) {
    switch (status) {
    case ThumbStatus::Unreadable: return kUnreadableText;
    case ThumbStatus::Video: return kVideoText;
    case ThumbStatus::Audio: return kAudioText;
    default: return nullptr;
    }
}

// The user's short date of a record's time; empty when it does not fit 12 characters.
std::string ReportDateText(uint64_t fileTime) {
    const CivilDate d = ReportDate(fileTime);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wDayOfWeek = static_cast<WORD>(d.dayOfWeek);
    st.wHour = static_cast<WORD>(d.hour);
    st.wMinute = static_cast<WORD>(d.minute);
    st.wSecond = static_cast<WORD>(d.second);
    st.wMilliseconds = static_cast<WORD>(d.milliseconds);
    char text[12] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, static_cast<int>(sizeof text)) == 0) {
        return {};
    }
    return text;
}

BITMAPINFO ThumbHeader() {
    return TopDownBitmapInfo(kThumbWidth, kThumbHeight);
}

void AddRect(HRGN region, const RECT& r) {
    const UniqueRegion part(CreateRectRgnIndirect(&r));
    CombineRgn(region, region, part.get(), RGN_OR);
}

// Whether the record at each index is selected, and its caption, read under one lock.
struct CellText {
    std::wstring caption;
    bool selected = false;
};

}  // namespace

CThumbView::CThumbView(SharedLists& lists)
    : lists_(lists),
      producer_(lists),
      background_(CreateSolidBrush(kBackgroundFill)),
      hatch_(CreateHatchBrush(HS_HORIZONTAL, kHatch)),
      frame_(CreateSolidBrush(kFrame)),
      caption_(CreateSolidBrush(kCaptionBox)) {}

CThumbView::~CThumbView() {
    producer_.Stop();
}

bool CThumbView::CreateView(HWND parent, UINT controlId) {
    WindowCreateArgs args;
    args.className = L"PictavoThumbView";
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL;
    args.exStyle = WS_EX_CLIENTEDGE;
    args.rect = {0, 0, 0, 0};
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId));
    return Create(args) && CreateReportList();
}

// The report is a list-view control of the view's own class "ThViiew", a superclass of the
// system's list view that only renames it.
bool CThumbView::CreateReportList() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, L"ThViiew", &wc) == FALSE) {
        if (GetClassInfoExW(nullptr, WC_LISTVIEWW, &wc) == FALSE) {
            return false;
        }
        wc.cbSize = sizeof wc;
        wc.hInstance = instance;
        wc.lpszClassName = L"ThViiew";
        if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return false;
        }
    }
    report_ = CreateWindowExW(
            0, L"ThViiew", L"", WS_CHILD | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0, 0, 0, 0,
            hwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_REPORT_LIST)), instance, nullptr);
    if (report_ == nullptr) {
        return false;
    }
    SendMessageW(report_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SendMessageW(report_, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(report_, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(report_, LVM_SETTEXTCOLOR, 0, kReportText);
    SetWindowSubclass(report_, &CThumbView::ReportProc, 1, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

int32_t CThumbView::RecordCount() const {
    return lists_.Lock()->ShownFileList().Count();
}

//--- Modes and list changes -----------------------------------------------------------

void CThumbView::ShowAsThumbnails(std::optional<int32_t> current) {
    mode_ = Mode::Thumbnails;
    ShowWindow(report_, SW_HIDE);
    if (current) {
        producer_.Reset();
        selection_.SetCurrent(*current);
        position_ = 0;
        firstVisible_ = 0;
        SendMessageW(report_, LVM_SETITEMCOUNT, 0, 0);
    }
    LayOut();
    selection_.SetCurrent(selection_.Current());
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::ShowAsReport() {
    producer_.Stop();
    mode_ = Mode::Report;
    ShowScrollBar(hwnd(), SB_VERT, FALSE);
    LayOut();
    ShowWindow(report_, SW_SHOW);
    const int32_t count = RecordCount();
    if (count == 0) {
        SendMessageW(report_, LVM_SETITEMCOUNT, 0, 0);
        MessageBoxW(FrameWindow(), kEmptyReportText, kEmptyReportCaption, MB_OK);
        return;
    }
    if (!columnsMade_) {
        MakeReportColumns(kRestAfterShow);
    }
    FillReport();
    const int32_t current = std::clamp(selection_.Current(), 0, count - 1);
    selection_.SetCurrent(current);
    MarkHot(current);
    NotifyFrame(UM_SHOWITEM, static_cast<WPARAM>(current));
    InvalidateRect(report_, nullptr, TRUE);
}

void CThumbView::ListChanged(int32_t current) {
    producer_.Reset();
    selection_.SetCurrent(current);
    position_ = 0;
    firstVisible_ = 0;
    if (mode_ == Mode::Report) {
        FillReport();
    } else {
        LayOut();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CThumbView::Rewind() {
    producer_.Stop();
    selection_.SetCurrent(0);
    firstVisible_ = 0;
    if (mode_ == Mode::Report) {
        SendMessageW(report_, LVM_ENSUREVISIBLE, 0, FALSE);
    } else {
        LayOut();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CThumbView::ResetAfterSort() {
    if (mode_ == Mode::Report && !columnsMade_) {
        MakeReportColumns(kRestAfterSort);
    }
    ListChanged(0);
    NotifyFrame(UM_SHOWINDEX, 0);
}

void CThumbView::AfterDelete() {
    {
        SharedLists::Access state = lists_.Lock();
        selection_.AfterDelete(state->ShownFileList());
    }
    ListChanged(0);
    NotifyFrame(UM_SHOWINDEX, 0);
}

void CThumbView::MakeReportColumns(int32_t restWidthFrom) {
    RECT r{};
    GetClientRect(hwnd(), &r);
    int index = 0;
    for (const ReportColumn& c : kReportColumns) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = c.width != 0 ? c.width : std::max(kMinRestColumn, static_cast<int>(r.right) - restWidthFrom);
        col.pszText = const_cast<wchar_t*>(c.title);
        col.iSubItem = index;
        SendMessageW(report_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
        ++index;
    }
    columnsMade_ = true;
}

void CThumbView::FillReport() {
    SendMessageW(report_, LVM_SETITEMCOUNT, static_cast<WPARAM>(RecordCount()), 0);
    InvalidateRect(report_, nullptr, TRUE);
}

//--- Selection and navigation -----------------------------------------------------------

void CThumbView::Reveal(int32_t index, bool scroll) {
    {
        SharedLists::Access state = lists_.Lock();
        selection_.Reveal(state->ShownFileList(), index);
    }
    if (scroll) {
        ScrollTo(index);
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::ScrollTo(int32_t index) {
    if (mode_ == Mode::Report) {
        SendMessageW(report_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(std::max(0, index)), FALSE);
        return;
    }
    if (columns_ > 0) {
        producer_.Stop();
        ApplyScroll(std::clamp(RowPosition(index, columns_), 0, maximum_));
    }
}

void CThumbView::MarkHot(int32_t index) {
    if (mode_ == Mode::Report) {
        SendMessageW(report_, LVM_SETHOTITEM, static_cast<WPARAM>(index), 0);
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = 0;
        SendMessageW(report_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(report_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        SendMessageW(report_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
    Reveal(index, false);
}

void CThumbView::SetCurrent(int32_t index) {
    selection_.SetCurrent(index);
}

void CThumbView::SelectAll() {
    selection_.SelectAll();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::ClearAllSelections() {
    {
        SharedLists::Access state = lists_.Lock();
        selection_.ClearAll(state->ShownFileList());
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::LeaveAllSelected() {
    if (selection_.AllSelected()) {
        selection_.LeaveAllSelected();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

//--- Producer ------------------------------------------------------------------------

bool CThumbView::StartProducer() {
    // The report shows no pictures: nothing to make for it.
    if (hwnd() == nullptr || mode_ != Mode::Thumbnails || producer_.state() == ProducerState::Running) {
        return false;
    }
    return producer_.Start();
}

void CThumbView::StopProducer() {
    producer_.Stop();
}

//--- Report texts ----------------------------------------------------------------------

std::string CThumbView::ReportText(int32_t row, int32_t column) const {
    FileRecord record;
    {
        SharedLists::Access state = lists_.Lock();
        const FileList& list = state->ShownFileList();
        if (row < 0 || row >= list.Count()) {
            return {};
        }
        record = list[static_cast<size_t>(row)];
    }
    switch (column) {
    case 0: return record.relativePath;
    case 1: return ReportSizeText(record);
    case 2: return ReportDateText(record.lastWriteTime);
    case 3: return ReportDateText(record.creationTime);
    case 4: return ReportDateText(record.lastAccessTime);
    default: return {};
    }
}

//--- Layout and scrolling ------------------------------------------------------------

void CThumbView::LayOut() {
    RECT r{};
    GetClientRect(hwnd(), &r);
    if (mode_ == Mode::Report) {
        MoveWindow(report_, 0, 0, r.right, r.bottom, TRUE);
        return;
    }
    const GridLayout g = LayOutGrid(r.right, GetSystemMetrics(SM_CXVSCROLL), r.bottom, RecordCount());
    columns_ = g.columns;
    if (columns_ == 0) {
        return;
    }
    maximum_ = g.maximum;
    position_ = std::clamp(RowPosition(firstVisible_, columns_), 0, maximum_);
    firstVisible_ = FirstVisibleRecord(position_, columns_);
    producer_.SetBatchStart(static_cast<uint32_t>(firstVisible_));
    // The bar's range ends a page beyond the largest position, so that its thumb, a page
    // long, reaches exactly that position.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = maximum_ + kPageStep - 1;
    si.nPage = static_cast<UINT>(kPageStep);
    si.nPos = position_;
    SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
    SetScrollRange(hwnd(), SB_HORZ, 0, 0, TRUE);
}

void CThumbView::ApplyScroll(int32_t position) {
    position_ = position;
    firstVisible_ = FirstVisibleRecord(position_, columns_);
    producer_.SetBatchStart(static_cast<uint32_t>(firstVisible_));
    SetScrollPos(hwnd(), SB_VERT, position_, TRUE);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::OnScroll(WPARAM wp) {
    if (mode_ != Mode::Thumbnails || columns_ == 0) {
        return;
    }
    ScrollRequest request{};
    switch (LOWORD(wp)) {
    case SB_LINEUP: request = ScrollRequest::LineUp; break;
    case SB_LINEDOWN: request = ScrollRequest::LineDown; break;
    case SB_PAGEUP: request = ScrollRequest::PageUp; break;
    case SB_PAGEDOWN: request = ScrollRequest::PageDown; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: request = ScrollRequest::Track; break;
    case SB_TOP: request = ScrollRequest::Top; break;
    case SB_BOTTOM: request = ScrollRequest::Bottom; break;
    default: return;
    }
    // The message carries 16 bits of the track position; the bar has all 32.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    const int32_t track = GetScrollInfo(hwnd(), SB_VERT, &si) != FALSE ? si.nTrackPos : HIWORD(wp);
    producer_.Stop();
    ApplyScroll(pv::ScrollPosition(request, position_, track, maximum_));
}

void CThumbView::OnWheel(WPARAM wp) {
    if (mode_ != Mode::Thumbnails || columns_ == 0) {
        return;
    }
    const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
    if (notches == 0) {
        return;
    }
    producer_.Stop();
    ApplyScroll(WheelPosition(position_, notches, maximum_));
}

//--- Clicks and the context menu -------------------------------------------------------

void CThumbView::OnLeftButtonDown(WPARAM wp, LPARAM lp) {
    SetFocus(hwnd());
    const int32_t atClick = position_;
    // The keys as they were when the click happened (Shift acts as Control).
    const bool key = (wp & (MK_CONTROL | MK_SHIFT)) != 0;
    {
        SharedLists::Access state = lists_.Lock();
        FileList& list = state->ShownFileList();
        const std::optional<int32_t> index =
                ClickIndex(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), position_, columns_, list.Count());
        if (!index) {
            return;  // an empty list, or the margin right of the last column
        }
        selection_.Click(list, *index, key);
    }
    producer_.Stop();
    NotifyFrame(UM_SHOWITEM, static_cast<WPARAM>(selection_.Current()));
    // Showing the record may have laid the pane out anew; the grid stays where it was clicked.
    if (columns_ > 0) {
        ApplyScroll(std::clamp(atClick, 0, maximum_));
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CThumbView::ReportClick(bool controlOrShift) {
    SharedLists::Access state = lists_.Lock();
    selection_.ReportClick(state->ShownFileList(), controlOrShift);
}

LRESULT CALLBACK CThumbView::ReportProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
    if (msg == WM_LBUTTONDOWN) {
        auto* self = reinterpret_cast<CThumbView*>(data);
        GuardCallback(
                [self, wp] {
                    self->ReportClick((wp & (MK_CONTROL | MK_SHIFT)) != 0);
                    return 0;
                },
                [] { return 0; });
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &CThumbView::ReportProc, id);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void CThumbView::OnContextMenu(LPARAM lp) {
    if (!contextMenu_) {
        contextMenu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_THUMB_MENU)));
        if (!contextMenu_) {
            return;
        }
    }
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (lp == -1) {  // from the keyboard
        p = {kKeyboardMenuOffset, kKeyboardMenuOffset};
        ClientToScreen(hwnd(), &p);
    }
    TrackPopupMenu(GetSubMenu(contextMenu_.get(), 0), TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd(), nullptr);
}

void CThumbView::OnMenuCommand(UINT id) {
    if (MenuSortKey(static_cast<int>(id)) >= 0) {
        if (RecordCount() != 0) {
            producer_.Stop();
            RunMenuSort(lists_, static_cast<int>(id), [this](int32_t) { ResetAfterSort(); });
        }
        return;
    }
    switch (id) {
    case ID_SELECT_ALL:
    case ID_SELECT_CLEAR:
    case ID_SELECT_COPY:
    case ID_SELECT_DELETE:
    case ID_LIST_SORT_DIALOG: NotifyFrame(WM_COMMAND, id); break;
    default: break;
    }
}

HWND CThumbView::FrameWindow() const {
    return hwnd() != nullptr ? GetAncestor(hwnd(), GA_ROOT) : nullptr;
}

void CThumbView::NotifyFrame(UINT message, WPARAM wp) const {
    HWND frame = FrameWindow();
    if (frame != nullptr && frame != hwnd()) {
        SendMessageW(frame, message, wp, 0);
    }
}

//--- Paint -------------------------------------------------------------------------------

void CThumbView::PaintGrid(HDC target) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Names and selection of the rows in view, read under one lock: the producer takes the
    // same lock while the paint runs.
    const VisibleRows rows = RowsInView(position_, height);
    const int32_t first = rows.first * std::max(columns_, 0);
    std::vector<CellText> cells;
    bool empty = true;
    {
        SharedLists::Access state = lists_.Lock();
        const FileList& list = state->ShownFileList();
        const int32_t end = std::min(list.Count(), (rows.last + 1) * std::max(columns_, 0));
        for (int32_t i = first; i < end; ++i) {
            const FileRecord& r = list[static_cast<size_t>(i)];
            cells.push_back({CaptionOf(r.relativePath), selection_.IsSelected(r)});
        }
        empty = list.Empty() || columns_ == 0;
    }
    if (empty) {
        const uint8_t v = BackgroundGrey().load();
        const UniqueBrush grey(CreateSolidBrush(static_cast<COLORREF>(v) * 0x010101u));
        FillRect(target, &client, grey.get());
        return;
    }

    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    void* bits = nullptr;
    const UniqueDc mem(CreateCompatibleDC(target));
    const UniqueBitmap bitmap(CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!mem || !bitmap) {
        return;  // nothing is painted in this pass
    }
    const SelectGuard keepBitmap(mem.get(), bitmap.get());
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(kFontTenthsOfPoint, GetDeviceCaps(target, LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    const UniqueFont font(CreateFontIndirectW(&lf));
    const SelectGuard keepFont(mem.get(), font.get());
    SetBkMode(mem.get(), TRANSPARENT);
    SetTextColor(mem.get(), kCaptionText);

    const UniqueRegion cellsRegion(CreateRectRgn(0, 0, 0, 0));
    const UniqueRegion background(CreateRectRgn(0, 0, 0, 0));
    const UniqueRegion whole(CreateRectRgn(0, 0, width, height));
    // The background between the cells: fill, hatch, then a 2 x 2 frame along its edges,
    // which puts a frame around every thumbnail and caption box.
    auto paintBackground = [&] {
        CombineRgn(background.get(), whole.get(), cellsRegion.get(), RGN_DIFF);
        FillRgn(mem.get(), background.get(), background_.get());
        FillRgn(mem.get(), background.get(), hatch_.get());
        FrameRgn(mem.get(), background.get(), frame_.get(), kFramePixels, kFramePixels);
    };

    const BITMAPINFO thumbInfo = ThumbHeader();
    std::vector<uint8_t> pixels(kThumbBytes);
    bool decodedAny = false;
    for (int32_t row = rows.first; row <= rows.last; ++row) {
        for (int32_t column = 0; column < columns_; ++column) {
            const int32_t index = row * columns_ + column;
            if (index - first >= static_cast<int32_t>(cells.size())) {
                break;
            }
            const CellText& text = cells[static_cast<size_t>(index - first)];
            const CellOrigin o = CellOriginOf(row, column, position_);
            RECT thumb{o.x, o.y, o.x + kThumbWidth, o.y + kThumbHeight};
            RECT caption{o.x, o.y + kCaptionTop, o.x + kThumbWidth, o.y + kCaptionBottom};
            AddRect(cellsRegion.get(), thumb);
            AddRect(cellsRegion.get(), caption);

            bool hasPixels = false;
            bool decoded = false;
            ThumbStatus status = ThumbStatus::Picture;
            producer_.VisitCell(
                    static_cast<uint32_t>(index),
                    [&](const ThumbCell& cell) {
                        status = cell.status;
                        if (cell.pixels != nullptr) {  // a slot whose pixels could not be made
                            std::memcpy(pixels.data(), cell.pixels, kThumbBytes);
                            hasPixels = true;
                        }
                    },
                    &decoded);
            decodedAny = decodedAny || decoded;
            if (hasPixels) {
                if (text.selected) {
                    TintSelected(pixels.data(), pixels.size());
                }
                SetDIBitsToDevice(mem.get(), o.x, o.y, kThumbWidth, kThumbHeight, 0, 0, 0, kThumbHeight, pixels.data(),
                                  &thumbInfo, DIB_RGB_COLORS);
            }
            FillRect(mem.get(), &caption, caption_.get());
            DrawTextW(mem.get(), text.caption.c_str(), -1, &caption,
                      DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOCLIP);
            if (const wchar_t* s = StatusText(status)) {
                DrawTextW(mem.get(), s, -1, &thumb, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
        }
        if (decodedAny) {
            // Pictures are being made: show each row as it is done.
            paintBackground();
            BitBlt(target, 0, 0, width, height, mem.get(), 0, 0, SRCCOPY);
        }
    }
    paintBackground();
    BitBlt(target, 0, 0, width, height, mem.get(), 0, 0, SRCCOPY);
}

//--- Messages ------------------------------------------------------------------------------

LRESULT CThumbView::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE: LayOut(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT: {
        PaintDc dc(hwnd());
        if (mode_ == Mode::Thumbnails) {
            PaintGrid(dc.get());
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        if (mode_ == Mode::Thumbnails) {
            PaintGrid(reinterpret_cast<HDC>(wp));
        }
        return 0;
    case WM_VSCROLL: OnScroll(wp); return 0;
    case WM_MOUSEWHEEL: OnWheel(wp); return 0;
    case WM_LBUTTONDOWN:
        if (mode_ == Mode::Thumbnails) {
            OnLeftButtonDown(wp, lp);
        }
        return 0;
    case WM_CONTEXTMENU: OnContextMenu(lp); return 0;
    case WM_INITMENUPOPUP:
        // The frame knows which of the menu's commands work now.
        NotifyFrame(WM_INITMENUPOPUP, wp);
        return 0;
    case WM_COMMAND: OnMenuCommand(LOWORD(wp)); return 0;
    case WM_NOTIFY:
        // The report's notifications are the frame's (texts, current record, double-click).
        return SendMessageW(GetParent(hwnd()), WM_NOTIFY, wp, lp);
    case WM_SETFOCUS:
        if (mode_ == Mode::Report) {
            SetFocus(report_);
        }
        return 0;
    case WM_DESTROY:
        producer_.Stop();
        SendMessageW(report_, LVM_SETITEMCOUNT, 0, 0);
        return 0;
    default: return Window::OnMessage(msg, wp, lp);
    }
}

}  // namespace pv
