// Move-only owners of Win32 handles. Each owner frees its handle in its
// destructor and in reset(); release() gives the handle away (for calls that
// take ownership, such as SetWindowRgn) and leaves the owner empty. Below
// every other Win32 folder of the framework: it needs windows.h alone.
#pragma once

#include <windows.h>

#include <utility>

namespace handle_detail {

template <typename Handle, typename Traits> class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    // Frees the current handle (if any) and takes ownership of handle.
    void reset(Handle handle = Traits::Empty()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Empty())
            Traits::Free(old);
    }

private:
    Handle handle_ = Traits::Empty();
};

template <typename Handle> struct GdiObjectTraits {
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::DeleteObject(h); }
};
struct DcTraits {
    static HDC Empty() noexcept { return nullptr; }
    static void Free(HDC h) noexcept { ::DeleteDC(h); }
};
struct RegistryKeyTraits {
    static HKEY Empty() noexcept { return nullptr; }
    static void Free(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct FileHandleTraits {
    static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) noexcept { ::CloseHandle(h); }
};
} // namespace handle_detail

using RegionHandle = handle_detail::UniqueHandle<HRGN, handle_detail::GdiObjectTraits<HRGN>>;
using BitmapHandle = handle_detail::UniqueHandle<HBITMAP, handle_detail::GdiObjectTraits<HBITMAP>>;
using FontHandle = handle_detail::UniqueHandle<HFONT, handle_detail::GdiObjectTraits<HFONT>>;
using BrushHandle = handle_detail::UniqueHandle<HBRUSH, handle_detail::GdiObjectTraits<HBRUSH>>;
using PenHandle = handle_detail::UniqueHandle<HPEN, handle_detail::GdiObjectTraits<HPEN>>;
using PaletteHandle =
    handle_detail::UniqueHandle<HPALETTE, handle_detail::GdiObjectTraits<HPALETTE>>;
using RegistryKey = handle_detail::UniqueHandle<HKEY, handle_detail::RegistryKeyTraits>;
// An empty FileHandle holds INVALID_HANDLE_VALUE, as CreateFileA reports failure.
using FileHandle = handle_detail::UniqueHandle<HANDLE, handle_detail::FileHandleTraits>;

// A memory device context (CreateCompatibleDC / DeleteDC).
class MemoryDc : public handle_detail::UniqueHandle<HDC, handle_detail::DcTraits> {
public:
    using UniqueHandle::UniqueHandle;
    // A new memory DC compatible with reference (nullptr: the screen). Empty on failure.
    static MemoryDc CompatibleWith(HDC reference) {
        return MemoryDc(::CreateCompatibleDC(reference));
    }
};

// A device context obtained from a window (GetDC or GetWindowDC), handed back
// with ReleaseDC to the same window.
class WindowDc {
public:
    WindowDc() noexcept = default;
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    ~WindowDc() { reset(); }
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    // The client-area DC (GetDC); window nullptr gives the screen's DC.
    static WindowDc Client(HWND window) { return WindowDc(window, ::GetDC(window)); }
    // The DC of the whole window including its frame (GetWindowDC).
    static WindowDc Whole(HWND window) { return WindowDc(window, ::GetWindowDC(window)); }

    HDC get() const noexcept { return dc_; }
    HWND window() const noexcept { return window_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    // Gives up the DC without releasing it; the caller must ReleaseDC it.
    [[nodiscard]] HDC release() noexcept {
        window_ = nullptr;
        return std::exchange(dc_, nullptr);
    }
    void reset() noexcept {
        if (dc_)
            ::ReleaseDC(window_, dc_);
        dc_ = nullptr;
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC for a scope and selects the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
