// Move-only holders for Windows handles: one type per release function, so a handle can only
// be released the way it was acquired. Copying is deleted; moving leaves the source empty.
#pragma once

#include <utility>

#include "base/win32/WinInclude.h"

// After windows.h, which they need: a separate block keeps the formatter from sorting them
// above it.
#include <commctrl.h>
#include <objbase.h>

namespace pv {

// Holder for a handle T released by Traits::Release; Traits::Invalid() is the empty value.
template <typename T, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;

    explicit UniqueHandle(T handle) : handle_(handle) {}

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}

    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    ~UniqueHandle() { Reset(); }

    [[nodiscard]] T get() const { return handle_; }

    [[nodiscard]] bool valid() const { return handle_ != Traits::Invalid(); }

    explicit operator bool() const { return valid(); }

    // Gives up ownership without releasing.
    T Release() { return std::exchange(handle_, Traits::Invalid()); }

    void Reset(T handle = Traits::Invalid()) {
        T old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    T handle_ = Traits::Invalid();
};

namespace handle_traits {

struct GdiObject {
    static HGDIOBJ Invalid() { return nullptr; }

    static void Close(HGDIOBJ h) { DeleteObject(h); }
};

template <typename T>
struct TypedGdiObject {
    static T Invalid() { return nullptr; }

    static void Close(T h) { DeleteObject(h); }
};

struct MemoryDc {
    static HDC Invalid() { return nullptr; }

    static void Close(HDC h) { DeleteDC(h); }
};

struct RegistryKey {
    static HKEY Invalid() { return nullptr; }

    static void Close(HKEY h) { RegCloseKey(h); }
};

struct Icon {
    static HICON Invalid() { return nullptr; }

    static void Close(HICON h) { DestroyIcon(h); }
};

struct KernelHandle {
    static HANDLE Invalid() { return nullptr; }

    static void Close(HANDLE h) { CloseHandle(h); }
};

struct FileHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }

    static void Close(HANDLE h) { CloseHandle(h); }
};

struct FindHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }

    static void Close(HANDLE h) { FindClose(h); }
};

struct Menu {
    static HMENU Invalid() { return nullptr; }

    static void Close(HMENU h) { DestroyMenu(h); }
};

struct ImageList {
    static HIMAGELIST Invalid() { return nullptr; }

    static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};

struct GlobalMemory {
    static HGLOBAL Invalid() { return nullptr; }

    static void Close(HGLOBAL h) { GlobalFree(h); }
};

struct Accelerators {
    static HACCEL Invalid() { return nullptr; }

    static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};

}  // namespace handle_traits

// DeleteObject
using UniqueGdiObject = UniqueHandle<HGDIOBJ, handle_traits::GdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, handle_traits::TypedGdiObject<HBITMAP>>;
using UniqueBrush = UniqueHandle<HBRUSH, handle_traits::TypedGdiObject<HBRUSH>>;
using UniqueFont = UniqueHandle<HFONT, handle_traits::TypedGdiObject<HFONT>>;
using UniquePen = UniqueHandle<HPEN, handle_traits::TypedGdiObject<HPEN>>;
using UniqueRegion = UniqueHandle<HRGN, handle_traits::TypedGdiObject<HRGN>>;
// DeleteDC (memory and printer DCs)
using UniqueDc = UniqueHandle<HDC, handle_traits::MemoryDc>;
// RegCloseKey
using UniqueKey = UniqueHandle<HKEY, handle_traits::RegistryKey>;
// DestroyIcon (icons made or copied at run time; shared resource icons need no release)
using UniqueIcon = UniqueHandle<HICON, handle_traits::Icon>;
// CloseHandle on threads, events, mutexes (empty = null)
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_traits::KernelHandle>;
// CloseHandle on files from CreateFile (empty = INVALID_HANDLE_VALUE)
using UniqueFile = UniqueHandle<HANDLE, handle_traits::FileHandle>;
// FindClose
using UniqueFind = UniqueHandle<HANDLE, handle_traits::FindHandle>;
// DestroyMenu (menus not attached to a window)
using UniqueMenu = UniqueHandle<HMENU, handle_traits::Menu>;
// ImageList_Destroy
using UniqueImageList = UniqueHandle<HIMAGELIST, handle_traits::ImageList>;
// GlobalFree (memory from GlobalAlloc not yet handed to its taker)
using UniqueGlobal = UniqueHandle<HGLOBAL, handle_traits::GlobalMemory>;
// DestroyAcceleratorTable (tables made at run time; tables loaded from resources need none)
using UniqueAccelerators = UniqueHandle<HACCEL, handle_traits::Accelerators>;

// A window's DC from GetDC, released with ReleaseDC and the same window.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}

    // The whole window's DC (GetWindowDC: frame and caption included).
    struct WholeWindow {};

    WindowDc(HWND hwnd, WholeWindow) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}

    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    WindowDc(WindowDc&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}

    WindowDc& operator=(WindowDc&&) = delete;

    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(hwnd_, dc_);
        }
    }

    [[nodiscard]] HDC get() const { return dc_; }

    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }

    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    ~PaintDc() { EndPaint(hwnd_, &ps_); }

    [[nodiscard]] HDC get() const { return dc_; }

    [[nodiscard]] const RECT& dirty() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the old one back. Declare it after the holder of the
// object it selects, so it is destroyed first and the object is never deleted while selected.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}

    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

    ~SelectGuard() {
        // SelectObject answers null (or HGDI_ERROR for regions) on failure; only a real object goes back.
        if (old_ != nullptr && reinterpret_cast<LONG_PTR>(old_) != -1) {
            SelectObject(dc_, old_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GlobalLock / GlobalUnlock around one use of a movable block; get() is null when the lock
// failed.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}

    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }

    [[nodiscard]] void* get() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

// A COM interface pointer, released once. out() hands the empty slot to a creating call.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;

    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}

    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    ~ComPtr() { Reset(); }

    T** out() {
        Reset();
        return &p_;
    }

    T* operator->() const { return p_; }

    [[nodiscard]] T* get() const { return p_; }

    explicit operator bool() const { return p_ != nullptr; }

    void Reset() {
        if (T* old = std::exchange(p_, nullptr); old != nullptr) {
            old->Release();
        }
    }

private:
    T* p_ = nullptr;
};

// COM for the calling thread while this lives, balanced only when the start succeeded.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED)
        : initialized_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}

    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }

    [[nodiscard]] bool initialized() const { return initialized_; }

private:
    bool initialized_;
};

}  // namespace pv
