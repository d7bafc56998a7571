// Taking pictures out and in: the clipboard, window capture and the desktop wallpaper.
#include <string>
#include <vector>

#include "app/win32/FrameCommands.h"
#include "app/win32/MainFrame.h"
#include "app/win32/PictureFeatures.h"
#include "base/DecodeLimits.h"
#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "shell/ClipboardPixels.h"
#include "shell/win32/CaptureDlg.h"
#include "shell/win32/WallpaperDlg.h"
#include "shell/win32/WallpaperFile.h"

namespace pv {

void RegisterPrintCommands(PictureFeatures& features, CommandTable& table);

namespace {

constexpr const char* kClipboardName = "(Clipboard)";
// The captured picture is named too, so the title never shows the previous file's path
// over it.
constexpr const char* kCaptureName = "(Capture)";

void Refuse(HWND owner, const char* text) {
    MessageBoxW(owner, Widen(text).c_str(), L"Pictavo", MB_OK | MB_ICONHAND);
}

HWND ActiveOwner(CMainFrame& frame) {
    HWND active = GetActiveWindow();
    return active != nullptr ? active : frame.hwnd();
}

// The bitmap is made before the clipboard is touched, so a failure leaves the user's
// clipboard as it was; the frame owns the clipboard while it writes.
void Copy(CMainFrame& frame) {
    frame.view().StopAnimation();
    const DisplayBuffer shown = frame.view().ShownPicture();
    std::vector<uint8_t> bits = PackForClipboard(shown);
    UniqueBitmap bitmap;
    if (!bits.empty()) {
        BITMAP bm{0, shown.width, shown.height, 4 * shown.width, 1, 32, bits.data()};
        bitmap.Reset(CreateBitmapIndirect(&bm));
    }
    if (!bitmap) {
        Refuse(frame.hwnd(), kCantCopyBitmap);
        return;
    }
    if (OpenClipboard(frame.hwnd()) == FALSE) {
        Refuse(frame.hwnd(), kCantOpenClipboardToCopy);
        return;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
    if (set) {
        bitmap.Release();  // the clipboard's from now on
    }
    CloseClipboard();
    if (!set) {
        Refuse(frame.hwnd(), kCantCopyBitmap);
    }
}

void Paste(CMainFrame& frame) {
    frame.BringImageBack();
    frame.view().StopAnimation();
    if (OpenClipboard(frame.hwnd()) == FALSE) {
        Refuse(frame.hwnd(), kCantOpenClipboardToPaste);
        return;
    }
    // The copy is made while the clipboard is still open: its bitmap may go once it closes.
    auto* held = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    UniqueBitmap copy;
    if (held != nullptr) {
        copy.Reset(static_cast<HBITMAP>(CopyImage(held, IMAGE_BITMAP, 0, 0, 0)));
    }
    CloseClipboard();
    if (held == nullptr) {
        Refuse(frame.hwnd(), kCantOpenBitmapFromClipboard);
        return;
    }
    if (!copy) {
        Refuse(frame.hwnd(), kCantPasteBitmap);
        return;
    }
    BITMAP bm{};
    GetObjectW(copy.get(), sizeof bm, &bm);
    HeldPicture picture;
    Status s = Status::Unsupported;
    if (bm.bmBitsPixel >= 24 && bm.bmWidthBytes > 0 && bm.bmHeight > 0) {
        // Within the budget before the bits are read: a bitmap's size is someone else's.
        const size_t rows = Budgeted24BitSize(bm.bmWidth, bm.bmHeight);
        const size_t bytes = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
        if (rows != 0 && bytes / 2 <= DecodeBudget()) {
            std::vector<uint8_t> bits(bytes);
            const LONG got = GetBitmapBits(copy.get(), static_cast<LONG>(bytes), bits.data());
            if (got == static_cast<LONG>(bytes)) {
                s = UnpackClipboardBits(bm.bmWidth, bm.bmHeight, bm.bmWidthBytes, bm.bmBitsPixel, bits, picture);
            }
        }
    }
    if (s == Status::Ok) {
        frame.view().AdoptPicture(std::move(picture), kClipboardName);
    } else {
        frame.view().ResetZoomOnly();  // fewer than 24 bits: the picture stays, the zoom and name change
    }
    frame.navigator().ShowNamedPicture(kClipboardName);
}

void Capture(CMainFrame& frame) {
    frame.view().StopAnimation();
    CCaptureDlg dialog;
    if (dialog.DoModal(ActiveOwner(frame)) != IDOK) {
        return;
    }
    frame.BringImageBack();
    frame.view().AdoptPicture(std::move(dialog.picture), kCaptureName);
    frame.navigator().ShowNamedPicture(kCaptureName);
}

void SetWallpaper(CMainFrame& frame, PictureFeatures& features) {
    frame.view().StopAnimation();
    CWallpaperDlg dialog(frame.hwnd());
    dialog.source = features.wallpaperSource;
    const INT_PTR answer = dialog.DoModal(ActiveOwner(frame));
    features.wallpaperSource = dialog.source;
    if (answer != IDOK) {
        return;
    }
    const std::wstring written = frame.view().WithShown([&](const ImageBuffer* image, const ImageView& m) {
        const ImageBuffer view = BorrowAsImage(m.display());
        const ImageBuffer* source = dialog.source == 0 ? image : &view;
        return source != nullptr ? WriteWallpaperFile(*source, dialog.result, WallpaperFolders()) : std::wstring();
    });
    // A file that could not be written leaves the desktop as it was.
    SetDesktopWallpaper(written);
    InvalidateRect(frame.view().hwnd(), nullptr, FALSE);
}

}  // namespace

void PictureFeatures::CopyPreview(WPARAM source, LPARAM dialog) {
    auto* wallpaper = reinterpret_cast<CWallpaperDlg*>(dialog);
    if (wallpaper == nullptr) {
        return;
    }
    wallpaperSource = source == 0 ? 0 : 1;
    frame.view().WithShown([&](const ImageBuffer* image, const ImageView& m) {
        const ImageBuffer view = BorrowAsImage(m.display());
        wallpaper->FillPreview(source == 0 ? image : (image != nullptr ? &view : nullptr));
        return 0;
    });
}

void PictureFeatures::FrameEnding() {
    if (GetClipboardOwner() == frame.hwnd() && OpenClipboard(frame.hwnd()) != FALSE) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::unique_ptr<PictureFeatures> RegisterPictureCommands(CMainFrame& frame, CommandTable& table) {
    auto features = std::make_unique<PictureFeatures>(frame);
    PictureFeatures& f = *features;
    table.Add(ID_EDIT_COPY, [&frame](uint32_t) { Copy(frame); });
    table.Add(ID_EDIT_PASTE, [&frame](uint32_t) { Paste(frame); });
    table.Add(ID_FILE_CAPTURE, [&frame](uint32_t) { Capture(frame); });
    table.Add(ID_WALLPAPER_SET, [&frame, &f](uint32_t) { SetWallpaper(frame, f); });
    RegisterPrintCommands(f, table);
    return features;
}

}  // namespace pv
