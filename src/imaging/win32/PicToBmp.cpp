#include "imaging/win32/PicToBmp.h"

#include <cstring>

#include "base/DecodeLimits.h"
#include "base/win32/BitmapInfo.h"
#include "base/win32/Handles.h"
#include "base/win32/WinInclude.h"
#include "imaging/PictureFactory.h"

// After windows.h, which they need.
#include <ocidl.h>
#include <olectl.h>

namespace pv {

namespace {

// Pictures this large are shown at half size in both directions.
constexpr LONG kHalvingThreshold = 2000;

bool LoadPicture(std::span<const uint8_t> file, ComPtr<IPicture>& picture) {
    if (file.empty() || file.size() > 0x7FFFFFFF) {
        return false;
    }
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, file.size()));
    if (!block) {
        return false;
    }
    {
        GlobalLockGuard locked(block.get());
        if (locked.get() == nullptr) {
            return false;
        }
        std::memcpy(locked.get(), file.data(), file.size());
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.out()))) {
        return false;
    }
    block.Release();  // the stream frees it now
    return SUCCEEDED(OleLoadPicture(stream.get(), static_cast<LONG>(file.size()), TRUE, IID_IPicture,
                                    reinterpret_cast<void**>(picture.out())));
}

}  // namespace

Status CPicToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    rows_.Reset();
    ComApartment com;
    ComPtr<IPicture> picture;
    if (!LoadPicture(file, picture)) {
        return Status::BadData;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);

    WindowDc screen(nullptr);
    if (!screen) {
        return Status::IoError;
    }
    LONG width = MulDiv(hmWidth, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
    LONG height = MulDiv(hmHeight, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    if (width > kHalvingThreshold || height > kHalvingThreshold) {
        width /= 2;
        height /= 2;
    }
    if (Status s = CheckPictureSize(width, height); s != Status::Ok) {
        return s;
    }
    UniqueDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(memory ? CreateCompatibleBitmap(screen.get(), width, height) : nullptr);
    if (!bitmap) {
        return Status::IoError;
    }
    {
        SelectGuard selected(memory.get(), bitmap.get());
        // Metafiles draw only what they hold: give them white paper, not undefined memory.
        RECT all{0, 0, width, height};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        picture->Render(memory.get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, &all);
    }

    BITMAPINFO info = TopDownBitmapInfo(width, height);
    const uint32_t stride = RowStride(24, width);
    if (!rows_.Allocate(HeapId::Picture, size_t{stride} * static_cast<size_t>(height), true)) {
        return Status::OutOfMemory;
    }
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), rows_.data(), &info, DIB_RGB_COLORS) == 0) {
        rows_.Reset();
        return Status::IoError;
    }
    image_.width = width;
    image_.height = height;
    image_.bitsPerPixel = 24;
    image_.stride = stride;
    image_.pixels = rows_.data();
    return Status::Ok;
}

std::unique_ptr<PictureReader> MakePictureObjectReader() {
    return std::make_unique<CPicToBmp>();
}

}  // namespace pv
