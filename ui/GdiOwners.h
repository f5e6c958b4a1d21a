#pragma once
// Owners for GDI handles: each handle has exactly one owner, and moving the
// owner moves the handle.

#include <windows.h>

#include <utility>

template <typename Handle, typename Deleter> class HandleOwner {
public:
    HandleOwner() = default;
    explicit HandleOwner(Handle handle) : handle_(handle) {}
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;
    HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    ~HandleOwner() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) {
            Deleter{}(handle_);
        }
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GlobalMemoryDeleter {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};

using BitmapOwner = HandleOwner<HBITMAP, GdiObjectDeleter>;
using RegionOwner = HandleOwner<HRGN, GdiObjectDeleter>;
using MemoryDc = HandleOwner<HDC, MemoryDcDeleter>;
using GlobalMemory = HandleOwner<HGLOBAL, GlobalMemoryDeleter>;
using WindowOwner = HandleOwner<HWND, WindowDeleter>;

// A DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { Reset(); }

    HDC Get() const { return dc_; }
    void Reset() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
        dc_ = nullptr;
        window_ = nullptr;
    }
    void Acquire(HWND window) {
        Reset();
        window_ = window;
        dc_ = GetDC(window);
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Keeps a GDI object selected into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};
