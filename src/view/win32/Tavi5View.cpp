#include "view/win32/Tavi5View.h"

#include <algorithm>

#include "base/ResourceIds.h"
#include "base/win32/BitmapInfo.h"
#include "base/win32/Wide.h"
#include "imaging/GifAnimation.h"
#include "imaging/GifToBmp.h"

namespace pv {

namespace {

// Scroll bars belong to the window's thread: the animation worker asks for them by message
// (changing a bar can send WM_SIZE, and the window thread may be waiting for the worker).
constexpr UINT kUmAnimationPass = WM_APP + 1;  // wParam: the animation's serial
constexpr UINT kUmSyncScrollBars = WM_APP + 2;

constexpr COLORREF kBackground = RGB(kViewBackgroundRed, kViewBackgroundGreen, kViewBackgroundBlue);

int BarOf(ScrollBar bar) {
    return bar == ScrollBar::Horizontal ? SB_HORZ : SB_VERT;
}

BITMAPINFO HeaderFor(const DisplayBuffer& d) {
    return TopDownBitmapInfo(d.width, d.height);
}

const CGifToBmp* GifReaderOf(const ImageView& view) {
    return dynamic_cast<const CGifToBmp*>(view.Reader());
}

// The thumb's position while dragged, in 32 bits: the message carries only 16.
int32_t ThumbPosition(HWND hwnd, ScrollBar bar, WPARAM wp) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(hwnd, BarOf(bar), &si)) {
        return si.nTrackPos;
    }
    return HIWORD(wp);
}

}  // namespace

CTavi5View::CTavi5View() : model_(*this, this, &media_) {}

CTavi5View::~CTavi5View() {
    StopAnimation();
}

bool CTavi5View::CreateView(HWND parent, UINT controlId) {
    background_.Reset(CreateSolidBrush(kBackground));
    WindowCreateArgs args;
    args.className = L"PictavoImageView";
    // The scroll bars appear when a range is set that needs them.
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT r{};
    GetClientRect(parent, &r);
    args.rect = r;
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId));
    return Create(args);
}

int CTavi5View::OpenInView(bool fit, const std::string& path) {
    std::lock_guard hold(lock());
    return model_.OpenInView(fit, path);
}

void CTavi5View::OriginalSize() {
    std::lock_guard hold(lock());
    model_.zoom().ResetZoom();
    model_.zoom().UpdateScrollRanges();
    Redraw();
}

void CTavi5View::ZoomIn() {
    std::lock_guard hold(lock());
    model_.zoom().ZoomIn();
    Redraw();
}

void CTavi5View::ZoomOut() {
    std::lock_guard hold(lock());
    model_.zoom().ZoomOutAt(std::nullopt, kZoomStep);
}

void CTavi5View::SetFilter(int32_t filter) {
    std::lock_guard hold(lock());
    model_.SetFilter(filter);
    Redraw();
}

void CTavi5View::SetEffects(const EffectFlags& effects) {
    std::lock_guard hold(lock());
    model_.SetEffects(effects);
    Redraw();
}

void CTavi5View::SetFitFlag(bool fit) {
    std::lock_guard hold(lock());
    if (model_.ImageReady()) {
        model_.zoom().ResetZoom();
        model_.zoom().LayOut(fit);
        Redraw();
    }
}

bool CTavi5View::ApplyResize(int32_t width, int32_t height, int32_t filter) {
    std::lock_guard hold(lock());
    if (!model_.zoom().Resize(width, height, filter)) {
        return false;
    }
    model_.SetFilter(filter);
    Redraw();
    return true;
}

void CTavi5View::PaintBackgroundOnly() {
    WindowDc dc(hwnd());
    RECT r{};
    GetClientRect(hwnd(), &r);
    FillRect(dc.get(), &r, background_.get());
}

void CTavi5View::AdoptPicture(HeldPicture picture, const std::string& name) {
    std::lock_guard hold(lock());
    model_.AdoptPicture(std::move(picture), name);
}

void CTavi5View::ResetZoomOnly() {
    std::lock_guard hold(lock());
    model_.zoom().ResetZoom();
    model_.zoom().UpdateScrollRanges();
    Invalidate(true);
}

void CTavi5View::RenderIfStill() {
    if (model_.ImageReady() && !model_.AnimationMode()) {
        model_.RenderVisible();
    }
}

DisplayBuffer CTavi5View::ShownPicture() {
    std::lock_guard hold(lock());
    RenderIfStill();
    return model_.ImageReady() ? model_.display() : DisplayBuffer{};
}

//--- Painting ------------------------------------------------------------------------

void CTavi5View::FillUncovered(HDC dc, const PaintPlan& plan) const {
    for (int i = 0; i < plan.backgroundCount; ++i) {
        const Rect& b = plan.background[i];
        RECT r{b.left, b.top, b.right, b.bottom};
        FillRect(dc, &r, background_.get());
    }
}

void CTavi5View::DrawDisplay(HDC dc, const PaintPlan& plan) const {
    if (!plan.drawPicture) {
        return;
    }
    const DisplayBuffer& d = model_.display();
    BITMAPINFO info = HeaderFor(d);
    SetDIBitsToDevice(dc, plan.picture.left, plan.picture.top, static_cast<DWORD>(d.width),
                      static_cast<DWORD>(d.height), 0, 0, 0, static_cast<UINT>(d.height), d.bytes.data(), &info,
                      DIB_RGB_COLORS);
}

void CTavi5View::Paint(HDC dc) {
    std::lock_guard hold(lock());
    // An animation paints the frame it shows, so an uncovered pane does not wait for the
    // next frame.
    if (model_.ImageReady()) {
        model_.RenderVisible();
        PaintPlan plan = model_.Plan();
        DrawDisplay(dc, plan);
        FillUncovered(dc, plan);
    } else {
        // A medium's window covers only part of the pane: the rest is background, not
        // the last picture.
        RECT r{};
        GetClientRect(hwnd(), &r);
        FillRect(dc, &r, background_.get());
    }
}

void CTavi5View::FillBackground() {
    PaintBackgroundOnly();
}

void CTavi5View::ShowMessage(std::string_view text, std::string_view caption) {
    // Owned by the frame, so the frame takes no commands while the box is up.
    MessageBoxW(FrameWindow(), Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

//--- ScrollHost ----------------------------------------------------------------------

ClientSize CTavi5View::Client() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return {r.right, r.bottom};
}

bool CTavi5View::HasBar(ScrollBar bar) const {
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    return (style & (bar == ScrollBar::Horizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

int32_t CTavi5View::BarThickness(ScrollBar bar) const {
    return GetSystemMetrics(bar == ScrollBar::Horizontal ? SM_CYHSCROLL : SM_CXVSCROLL);
}

void CTavi5View::SetScrollRange(ScrollBar bar, int32_t maximum) {
    if (!OnWindowThread()) {
        PostMessageW(hwnd(), kUmSyncScrollBars, 0, 0);
        return;
    }
    ::SetScrollRange(hwnd(), BarOf(bar), 0, maximum, TRUE);
}

void CTavi5View::SetScrollPos(ScrollBar bar, int32_t position) {
    if (!OnWindowThread()) {
        PostMessageW(hwnd(), kUmSyncScrollBars, 0, 0);
        return;
    }
    ::SetScrollPos(hwnd(), BarOf(bar), position, TRUE);
}

bool CTavi5View::OnWindowThread() const {
    return GetWindowThreadProcessId(hwnd(), nullptr) == GetCurrentThreadId();
}

void CTavi5View::SyncScrollBars() {
    std::lock_guard hold(lock());
    for (ScrollBar bar : {ScrollBar::Horizontal, ScrollBar::Vertical}) {
        ::SetScrollRange(hwnd(), BarOf(bar), 0, model_.zoom().Maximum(bar), TRUE);
        ::SetScrollPos(hwnd(), BarOf(bar), model_.zoom().Position(bar), TRUE);
    }
}

void CTavi5View::Invalidate(bool erase) {
    InvalidateRect(hwnd(), nullptr, erase ? TRUE : FALSE);
}

void CTavi5View::Redraw() {
    if (model_.AnimationMode()) {
        worker_.RequestRedraw();
    } else {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CTavi5View::NotifyZoomChanged() {
    NotifyFrame(UM_REFRESHTEXTS, 0);
}

HWND CTavi5View::FrameWindow() const {
    return hwnd() != nullptr ? GetAncestor(hwnd(), GA_ROOT) : nullptr;
}

void CTavi5View::NotifyFrame(UINT message, WPARAM wp) const {
    HWND frame = FrameWindow();
    if (frame != nullptr && frame != hwnd()) {
        SendMessageW(frame, message, wp, 0);
    }
}

//--- Input ---------------------------------------------------------------------------

void CTavi5View::OnScroll(ScrollBar bar, WPARAM wp) {
    std::lock_guard hold(lock());
    const auto code = static_cast<ScrollCode>(LOWORD(wp));
    const bool thumb = code == ScrollCode::ThumbTrack || code == ScrollCode::ThumbPosition;
    model_.zoom().Scroll(bar, code, thumb ? ThumbPosition(hwnd(), bar, wp) : 0);
}

void CTavi5View::OnWheel(WPARAM wp, LPARAM lp) {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ScreenToClient(hwnd(), &p);
    std::lock_guard hold(lock());
    model_.zoom().Wheel(GET_WHEEL_DELTA_WPARAM(wp), {p.x, p.y});
}

void CTavi5View::OnLeftButtonDown(LPARAM lp) {
    SetCapture(hwnd());
    int32_t hpos = 0;
    int32_t vpos = 0;
    {
        std::lock_guard hold(lock());
        hpos = model_.zoom().Position(ScrollBar::Horizontal);
        vpos = model_.zoom().Position(ScrollBar::Vertical);
    }
    WindowDc windowDc(hwnd());
    HDC dc = windowDc.get();
    SetWindowOrgEx(dc, hpos, vpos, nullptr);
    const POINT start{GET_X_LPARAM(lp) + hpos, GET_Y_LPARAM(lp) + vpos};
    RECT band{start.x, start.y, start.x, start.y};

    // The outline is drawn by inversion, so drawing it again removes it.
    auto outline = [dc](const RECT& r) {
        if (r.right <= r.left || r.bottom <= r.top) {
            return;
        }
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        PatBlt(dc, r.left, r.top, w, 1, DSTINVERT);
        PatBlt(dc, r.left, r.bottom - 1, w, 1, DSTINVERT);
        PatBlt(dc, r.left, r.top + 1, 1, std::max(0, h - 2), DSTINVERT);
        PatBlt(dc, r.right - 1, r.top + 1, 1, std::max(0, h - 2), DSTINVERT);
    };

    bool done = false;
    while (!done && GetCapture() == hwnd()) {
        WaitMessage();
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSEWHEEL, PM_REMOVE)) {
            outline(band);
            POINT now{GET_X_LPARAM(msg.lParam) + hpos, GET_Y_LPARAM(msg.lParam) + vpos};
            band = {std::min(start.x, now.x), std::min(start.y, now.y), std::max(start.x, now.x),
                    std::max(start.y, now.y)};
            outline(band);
            if (msg.message == WM_LBUTTONUP) {
                done = true;
                break;
            }
        }
    }
    outline(band);
    ReleaseCapture();
    {
        std::lock_guard hold(lock());
        model_.zoom().ClickZoom({band.left, band.top, band.right, band.bottom});
    }
    Redraw();
    NotifyFrame(UM_REFRESHTEXTS, 0);
}

void CTavi5View::OnContextMenu(LPARAM lp) {
    if (!contextMenu_) {
        contextMenu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_VIEW_MENU)));
        if (!contextMenu_) {
            return;
        }
        CheckMenuItem(contextMenu_.get(), ID_CTX_ZOOMIN, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(contextMenu_.get(), ID_CTX_BILINEAR, MF_BYCOMMAND | MF_CHECKED);
    }
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (p.x == -1 && p.y == -1) {
        RECT w{};
        GetWindowRect(hwnd(), &w);
        p = {w.left + 5, w.top + 5};
    }
    HMENU popup = GetSubMenu(contextMenu_.get(), 0);
    TrackPopupMenuEx(popup != nullptr ? popup : contextMenu_.get(), TPM_RIGHTBUTTON | TPM_VERTICAL, p.x, p.y, hwnd(),
                     nullptr);
}

void CTavi5View::OnMenuCommand(UINT id) {
    auto clickMode = [this](int32_t mode) {
        std::lock_guard hold(lock());
        model_.zoom().SetClickMode(mode);
    };
    auto check = [this](UINT on, UINT off) {
        CheckMenuItem(contextMenu_.get(), on, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(contextMenu_.get(), off, MF_BYCOMMAND | MF_UNCHECKED);
    };
    switch (id) {
    case ID_CTX_ORIGINAL:
        OriginalSize();
        check(ID_CTX_ZOOMIN, ID_CTX_ZOOMOUT);
        NotifyFrame(UM_VIEWMENUCMD, id);
        break;
    case ID_CTX_ZOOMIN:
        clickMode(kClickModeZoomIn);
        check(ID_CTX_ZOOMIN, ID_CTX_ZOOMOUT);
        NotifyFrame(UM_VIEWMENUCMD, id);
        break;
    case ID_CTX_ZOOMOUT:
        clickMode(kClickModeZoomOut);
        check(ID_CTX_ZOOMOUT, ID_CTX_ZOOMIN);
        NotifyFrame(UM_VIEWMENUCMD, id);
        break;
    case ID_CTX_NEAREST:
        SetFilter(kFilterNearest);
        check(ID_CTX_NEAREST, ID_CTX_BILINEAR);
        NotifyFrame(UM_VIEWMENUCMD, id);
        break;
    case ID_CTX_BILINEAR:
        SetFilter(kFilterBilinear);
        check(ID_CTX_BILINEAR, ID_CTX_NEAREST);
        NotifyFrame(UM_VIEWMENUCMD, id);
        break;
    case ID_CTX_OPEN: NotifyFrame(UM_OPENDIALOG, 0); break;
    case ID_CTX_FOLDERS: NotifyFrame(UM_FOLDERSDIALOG, 0); break;
    case ID_CTX_SAVEAS: NotifyFrame(UM_SAVEAS, 0); break;
    default: break;
    }
}

LRESULT CTavi5View::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PaintDc dc(hwnd());
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: {
        std::lock_guard hold(lock());
        FillUncovered(reinterpret_cast<HDC>(wp), model_.Plan());
        return 1;
    }
    case WM_SIZE: {
        std::lock_guard hold(lock());
        model_.zoom().UpdateScrollRanges();
        model_.zoom().SetPosition(ScrollBar::Horizontal, GetScrollPos(hwnd(), SB_HORZ));
        model_.zoom().SetPosition(ScrollBar::Vertical, GetScrollPos(hwnd(), SB_VERT));
        Redraw();
        return 0;
    }
    case WM_HSCROLL: OnScroll(ScrollBar::Horizontal, wp); return 0;
    case WM_VSCROLL: OnScroll(ScrollBar::Vertical, wp); return 0;
    case WM_MOUSEWHEEL: OnWheel(wp, lp); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lp); return 0;
    case WM_CONTEXTMENU: OnContextMenu(lp); return 0;
    case WM_COMMAND: OnMenuCommand(LOWORD(wp)); return 0;
    case WM_CLOSE: return 0;
    case WM_DESTROY: StopAnimation(); return 0;
    default: break;
    }
    if (msg == kUmAnimationPass) {
        OnAnimationPass(wp);
        return 0;
    }
    if (msg == kUmSyncScrollBars) {
        SyncScrollBars();
        return 0;
    }
    return Window::OnMessage(msg, wp, lp);
}

//--- Animation -----------------------------------------------------------------------

void CTavi5View::StartAnimation() {
    const CGifToBmp* gif = GifReaderOf(model_);
    if (gif != nullptr) {
        ++animationSerial_;
        worker_.Start(gif->animation());
    }
}

void CTavi5View::StopAnimation() {
    worker_.Stop();
    std::lock_guard hold(lock());
    model_.EndAnimationMode();
}

void CTavi5View::DrawFrame(size_t /*frame*/) {
    WindowDc dc(hwnd());
    const PaintPlan plan = model_.Plan();
    DrawDisplay(dc.get(), plan);
    FillUncovered(dc.get(), plan);
}

bool CTavi5View::PostPassStart() {
    return PostMessageW(hwnd(), kUmAnimationPass, animationSerial_, 0) != FALSE;
}

// A pass of the animation starts from the zoom factor (it ends a resize).
void CTavi5View::OnAnimationPass(WPARAM serial) {
    std::lock_guard hold(lock());
    if (serial != animationSerial_) {
        return;  // the animation that asked has been stopped
    }
    model_.zoom().RecomputeFromFactor();
    model_.zoom().UpdateScrollRanges();
    worker_.RequestRedraw();
}

}  // namespace pv
