#include "imaging/win32/PicToBmp.h"

#include <cstring>

#include "base/DecodeLimits.h"
#include "base/win32/WinInclude.h"
#include "imaging/PictureFactory.h"

#include <ocidl.h>
#include <olectl.h>

namespace pv {

namespace {

// Pictures this large are shown at half size in both directions.
constexpr LONG kHalvingThreshold = 2000;

template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    [[nodiscard]] T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

// COM for the calling thread while the picture is loaded, balanced on every path.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialized_) {
            CoUninitialize();
        }
    }

private:
    bool initialized_;
};

bool LoadPicture(std::span<const uint8_t> file, ComRef<IPicture>& picture) {
    if (file.empty() || file.size() > 0x7FFFFFFF) {
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, file.size());
    if (block == nullptr) {
        return false;
    }
    void* dst = GlobalLock(block);
    if (dst == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(dst, file.data(), file.size());
    GlobalUnlock(block);
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.out()))) {
        GlobalFree(block);
        return false;
    }
    return SUCCEEDED(OleLoadPicture(stream.get(), static_cast<LONG>(file.size()), TRUE, IID_IPicture,
                                    reinterpret_cast<void**>(picture.out())));
}

}  // namespace

Status CPicToBmp::Read(std::span<const uint8_t> file) {
    image_ = {};
    rows_.Reset();
    ComScope com;
    ComRef<IPicture> picture;
    if (!LoadPicture(file, picture)) {
        return Status::BadData;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);

    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return Status::IoError;
    }
    LONG width = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    LONG height = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    if (width > kHalvingThreshold || height > kHalvingThreshold) {
        width /= 2;
        height /= 2;
    }
    if (Status s = CheckPictureSize(width, height); s != Status::Ok) {
        ReleaseDC(nullptr, screen);
        return s;
    }
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    Status result = Status::IoError;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        // Metafiles draw only what they hold: give them white paper, not undefined memory.
        RECT all{0, 0, width, height};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        picture->Render(memory, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, &all);
        SelectObject(memory, old);

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        const uint32_t stride = RowStride(24, width);
        if (!rows_.Allocate(HeapId::Picture, size_t{stride} * static_cast<size_t>(height), true)) {
            result = Status::OutOfMemory;
        } else if (GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), rows_.data(), &info, DIB_RGB_COLORS) ==
                   0) {
            rows_.Reset();
        } else {
            image_.width = width;
            image_.height = height;
            image_.bitsPerPixel = 24;
            image_.stride = stride;
            image_.pixels = rows_.data();
            result = Status::Ok;
        }
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return result;
}

std::unique_ptr<PictureReader> MakePictureObjectReader() {
    return std::make_unique<CPicToBmp>();
}

}  // namespace pv
