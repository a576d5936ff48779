// One owner per handle: a move-only wrapper that closes its handle when it goes out of scope,
// so that "every handle is closed before the call returns" holds by construction.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace zelvo {

// The "no handle" value: null for most handle kinds, INVALID_HANDLE_VALUE for a few.
template <typename Handle> struct NullIsInvalid {
    static Handle value() { return nullptr; }
};
struct MinusOneIsInvalid {
    static HANDLE value() { return INVALID_HANDLE_VALUE; }
};

template <typename Handle, auto Close, typename Invalid = NullIsInvalid<Handle>>
class UniqueHandleT {
  public:
    UniqueHandleT() = default;
    explicit UniqueHandleT(Handle h) : handle_(h) {}
    UniqueHandleT(const UniqueHandleT&) = delete;
    UniqueHandleT& operator=(const UniqueHandleT&) = delete;
    UniqueHandleT(UniqueHandleT&& other) noexcept : handle_(other.release()) {}
    UniqueHandleT& operator=(UniqueHandleT&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandleT() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid::value(); }

    Handle release() { return std::exchange(handle_, Invalid::value()); }

    void reset(Handle h = Invalid::value()) {
        if (handle_ != Invalid::value())
            Close(handle_);
        handle_ = h;
    }

    // Closes what is held, then hands out the address for an API to fill.
    Handle* put() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Invalid::value();
};

using UniqueHkey = UniqueHandleT<HKEY, RegCloseKey>;
using UniqueHicon = UniqueHandleT<HICON, DestroyIcon>;
using UniqueHmodule = UniqueHandleT<HMODULE, FreeLibrary>;
using UniqueHandle = UniqueHandleT<HANDLE, CloseHandle>;
using UniqueFind = UniqueHandleT<HANDLE, FindClose, MinusOneIsInvalid>;
// A file opened with CreateFile, or a snapshot: INVALID_HANDLE_VALUE when there is none.
using UniqueFile = UniqueHandleT<HANDLE, CloseHandle, MinusOneIsInvalid>;
using UniqueHbitmap = UniqueHandleT<HBITMAP, DeleteObject>;
using UniqueHdc = UniqueHandleT<HDC, DeleteDC>;
using UniqueHfont = UniqueHandleT<HFONT, DeleteObject>;
using UniqueHimagelist = UniqueHandleT<HIMAGELIST, ImageList_Destroy>;
// Memory that a call allocated for its caller with LocalAlloc (a security descriptor).
using UniqueLocalMemory = UniqueHandleT<HLOCAL, LocalFree>;

// The paired calls that borrow a device context or change what it has selected: each owner
// gives back what it took when it goes out of scope.

// A window's device context (GetDC), released to that window (ReleaseDC).
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// The painting of a window's invalid region: BeginPaint, then EndPaint. A BeginPaint that failed
// (null) began no paint, so none is ended.
class PaintDc {
  public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        if (dc_)
            EndPaint(hwnd_, &paint_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// An object selected into a device context; the one it replaced is selected back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace zelvo
