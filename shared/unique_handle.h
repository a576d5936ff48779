// One owner per handle: a move-only wrapper that closes its handle when it goes out of scope,
// so that "every handle is closed before the call returns" holds by construction.
#pragma once

#include <windows.h>

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

} // namespace zelvo
