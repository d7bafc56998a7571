// Page Setup, Print and Print Preview: one page holding what the view shows, rendered afresh
// at the printer's resolution, at about its size on the screen, centred on the printable area.
// clang-format off
#include "base/win32/BitmapInfo.h"
#include "app/win32/MainFrame.h"  // the Windows headers, which commdlg.h needs first
#include <commdlg.h>
#include <winspool.h>
// clang-format on

#include <algorithm>

#include "app/win32/FrameCommands.h"
#include "app/win32/PictureFeatures.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "shell/PrintCopy.h"

namespace pv {

void RegisterPrintCommands(PictureFeatures& features, CommandTable& table);

namespace {

BITMAPINFO HeaderOf(const DisplayBuffer& d) {
    return TopDownBitmapInfo(d.width, d.height);
}

// The page's size and the scale from screen to page pixels.
struct PageGeometry {
    ClientSize printable;
    float scale = 0.0f;
};

PageGeometry GeometryOf(HDC printer, HWND frame) {
    PageGeometry g;
    g.printable = {GetDeviceCaps(printer, PHYSICALWIDTH) - 2 * GetDeviceCaps(printer, PHYSICALOFFSETX),
                   GetDeviceCaps(printer, PHYSICALHEIGHT) - 2 * GetDeviceCaps(printer, PHYSICALOFFSETY)};
    WindowDc screen(frame);
    g.scale = PrintScale(GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, HORZSIZE),
                         GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), HORZSIZE));
    return g;
}

// The print copy of what the view shows; false (after its message) when none can be had.
bool MakeCopy(CMainFrame& frame, float scale, DisplayBuffer& copy) {
    const Status s = frame.view().WithShown([&](const ImageBuffer* image, const ImageView& m) {
        PrintSource source{image,
                           m.zoom().ZoomedWidth(),
                           m.zoom().ZoomedHeight(),
                           m.zoom().Client(),
                           m.zoom().Position(ScrollBar::Horizontal),
                           m.zoom().Position(ScrollBar::Vertical),
                           m.zoom().Filter(),
                           m.effects()};
        return RenderPrintCopy(source, scale, copy);
    });
    if (s == Status::TooLarge || s == Status::OutOfMemory) {
        MessageBoxW(nullptr, Widen(kNoMemoryForPrinting).c_str(), Widen(kNorelCaption).c_str(), MB_OK);
    }
    return s == Status::Ok;
}

void PrintPage(CMainFrame& frame, HDC printer) {
    const PageGeometry g = GeometryOf(printer, frame.hwnd());
    DisplayBuffer copy;
    if (!MakeCopy(frame, g.scale, copy)) {
        return;
    }
    const PagePlacement p = PlaceOnPage(g.printable, copy.width, copy.height);
    BITMAPINFO info = HeaderOf(copy);
    if (StretchDIBits(printer, p.x, p.y, p.width, p.height, 0, 0, copy.width, copy.height, copy.bytes.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY) == static_cast<int>(GDI_ERROR)) {
        MessageBoxW(nullptr, Widen(kImpossibleCopyToPrinter).c_str(), L"Pictavo", MB_OK | MB_ICONINFORMATION);
    }
}

void UnableToPrint(HWND owner) {
    MessageBoxW(owner, Widen(kUnableToPrint).c_str(), Widen(kPrinterCaption).c_str(), MB_OK | MB_ICONERROR);
}

// With no printer installed the dialogs would show their own warning before ours: say it once.
bool AnyPrinter() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

// The dialogs may replace the printer's blocks: the frame keeps whatever they return.
void KeepPrinter(PictureFeatures& f, HGLOBAL devMode, HGLOBAL devNames) {
    if (devMode != f.devMode.get()) {
        f.devMode.Release();
        f.devMode.Reset(devMode);
    }
    if (devNames != f.devNames.get()) {
        f.devNames.Release();
        f.devNames.Reset(devNames);
    }
}

void PageSetup(PictureFeatures& f) {
    if (!AnyPrinter()) {
        UnableToPrint(f.frame.hwnd());
        return;
    }
    PAGESETUPDLGW psd{};
    psd.lStructSize = sizeof psd;
    psd.hwndOwner = f.frame.hwnd();
    psd.hDevMode = f.devMode.get();
    psd.hDevNames = f.devNames.get();
    psd.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
    psd.rtMargin = {1000, 1000, 1000, 1000};
    const BOOL ok = PageSetupDlgW(&psd);
    KeepPrinter(f, psd.hDevMode, psd.hDevNames);
    if (ok == FALSE && CommDlgExtendedError() != 0) {
        UnableToPrint(f.frame.hwnd());
    }
}

void Print(PictureFeatures& f) {
    CMainFrame& frame = f.frame;
    frame.view().StopAnimation();
    if (!AnyPrinter()) {
        UnableToPrint(frame.hwnd());
        return;
    }
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = frame.hwnd();
    pd.hDevMode = f.devMode.get();
    pd.hDevNames = f.devNames.get();
    // Our own message says when there is no printer, instead of the dialog's and then ours.
    pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_RETURNDC | PD_NOWARNING;
    const BOOL ok = PrintDlgW(&pd);
    KeepPrinter(f, pd.hDevMode, pd.hDevNames);
    UniqueDc printer(pd.hDC);
    if (ok == FALSE) {
        if (CommDlgExtendedError() != 0) {
            UnableToPrint(frame.hwnd());
        }
        return;
    }
    if (!printer) {
        UnableToPrint(frame.hwnd());
        return;
    }
    const std::wstring name = Widen(kPrintDocumentName);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.c_str();
    if (StartDocW(printer.get(), &doc) <= 0) {
        UnableToPrint(frame.hwnd());
        return;
    }
    if (StartPage(printer.get()) <= 0) {
        AbortDoc(printer.get());
        return;
    }
    PrintPage(frame, printer.get());
    if (EndPage(printer.get()) <= 0) {
        AbortDoc(printer.get());
        return;
    }
    EndDoc(printer.get());
}

}  // namespace

//--- Print preview -------------------------------------------------------------------------

// The page as it will print, drawn over the frame's panes; its Close button (and Escape)
// gives the client area back to the image view.
class PrintPreviewWindow final : public Window {
public:
    explicit PrintPreviewWindow(CMainFrame& frame) : frame_(frame) {}

    bool Open(HWND parent, HDC printer) {
        // Without a printer the page is a Letter sheet at 300 dots an inch.
        if (printer != nullptr) {
            page_ = {GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(printer, PHYSICALHEIGHT)};
            geometry_ = GeometryOf(printer, frame_.hwnd());
        } else {
            page_ = {2550, 3300};
            WindowDc screen(frame_.hwnd());
            geometry_.printable = page_;
            geometry_.scale =
                    PrintScale(2550, 216, GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), HORZSIZE));
        }
        if (!MakeCopy(frame_, geometry_.scale, copy_)) {
            return false;
        }
        WindowCreateArgs args;
        args.className = L"PictavoPrintPreview";
        args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        args.rect = {0, 0, 0, 0};
        args.parent = parent;
        args.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
        if (!Create(args)) {
            return false;
        }
        close_ = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 8, 80, 24, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_FILE_PRINT_PREVIEW_CLOSE)),
                                 GetModuleHandleW(nullptr), nullptr);
        SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return true;
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_PAINT: {
            PaintDc dc(hwnd());
            Paint(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
        case WM_COMMAND: PostMessageW(frame_.hwnd(), WM_COMMAND, ID_FILE_PRINT_PREVIEW_CLOSE, 0); return 0;
        case WM_SIZE: InvalidateRect(hwnd(), nullptr, TRUE); return 0;
        default: return Window::OnMessage(msg, wp, lp);
        }
    }

private:
    void Paint(HDC dc) const {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
        const int top = 40;
        const int roomW = client.right - 32;
        const int roomH = client.bottom - top - 16;
        if (roomW <= 0 || roomH <= 0 || page_.width <= 0 || page_.height <= 0) {
            return;
        }
        const double k = std::min(static_cast<double>(roomW) / page_.width, static_cast<double>(roomH) / page_.height);
        const int pw = static_cast<int>(page_.width * k);
        const int ph = static_cast<int>(page_.height * k);
        const int px = (client.right - pw) / 2;
        RECT sheet{px, top, px + pw, top + ph};
        RECT shadow = sheet;
        OffsetRect(&shadow, 4, 4);
        FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const PagePlacement p = PlaceOnPage(geometry_.printable, copy_.width, copy_.height);
        BITMAPINFO info = HeaderOf(copy_);
        SetStretchBltMode(dc, HALFTONE);
        StretchDIBits(dc, px + static_cast<int>(p.x * k), top + static_cast<int>(p.y * k),
                      std::max(1, static_cast<int>(p.width * k)), std::max(1, static_cast<int>(p.height * k)), 0, 0,
                      copy_.width, copy_.height, copy_.bytes.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }

    CMainFrame& frame_;
    ClientSize page_;
    PageGeometry geometry_;
    DisplayBuffer copy_;
    HWND close_ = nullptr;
};

namespace {

void ClosePreview(PictureFeatures& f, HWND splitter) {
    if (!f.preview) {
        return;
    }
    DestroyWindow(f.preview->hwnd());
    f.preview.reset();
    ShowWindow(splitter, SW_SHOW);
}

HWND SplitterOf(CMainFrame& frame) {
    return GetParent(frame.view().hwnd());
}

void TogglePreview(PictureFeatures& f) {
    CMainFrame& frame = f.frame;
    if (f.preview) {
        ClosePreview(f, SplitterOf(frame));
        return;
    }
    frame.view().StopAnimation();
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hDevMode = f.devMode.get();
    pd.hDevNames = f.devNames.get();
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC | PD_NOWARNING;
    UniqueDc printer;
    if (!AnyPrinter()) {
        // No printer: the page is previewed as a Letter sheet.
    } else if (!f.devNames && PrintDlgW(&pd) != FALSE) {
        printer.Reset(pd.hDC);
        KeepPrinter(f, pd.hDevMode, pd.hDevNames);
    } else if (f.devNames) {
        GlobalLockGuard names(f.devNames.get());
        GlobalLockGuard mode(f.devMode.get());
        if (const auto* dn = static_cast<const DEVNAMES*>(names.get()); dn != nullptr) {
            const auto* base = reinterpret_cast<const wchar_t*>(dn);
            printer.Reset(CreateDCW(base + dn->wDriverOffset, base + dn->wDeviceOffset, nullptr,
                                    static_cast<const DEVMODEW*>(mode.get())));
        }
    }
    auto preview = std::make_unique<PrintPreviewWindow>(frame);
    if (!preview->Open(frame.hwnd(), printer.get())) {
        return;
    }
    f.preview = std::move(preview);
    f.Layout(SplitterOf(frame));
    ShowWindow(SplitterOf(frame), SW_HIDE);
}

}  // namespace

PictureFeatures::PictureFeatures(CMainFrame& f) : frame(f) {}

PictureFeatures::~PictureFeatures() = default;

bool PictureFeatures::PreviewRunning() const {
    return preview != nullptr;
}

void PictureFeatures::Layout(HWND splitter) {
    if (!preview) {
        return;
    }
    RECT r{};
    GetWindowRect(splitter, &r);
    MapWindowPoints(nullptr, frame.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(preview->hwnd(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, 0);
}

void RegisterPrintCommands(PictureFeatures& features, CommandTable& table) {
    PictureFeatures& f = features;
    table.Add(ID_FILE_PAGE_SETUP, [&f](uint32_t) { PageSetup(f); });
    table.Add(ID_FILE_PRINT, [&f](uint32_t) { Print(f); });
    table.Add(ID_FILE_PRINT_PREVIEW, [&f](uint32_t) { TogglePreview(f); });
    table.Add(ID_FILE_PRINT_PREVIEW_CLOSE, [&f](uint32_t) { ClosePreview(f, SplitterOf(f.frame)); });
}

}  // namespace pv
