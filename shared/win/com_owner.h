// Owners for COM: an interface pointer released when it goes, a BSTR freed when it goes, and the
// calling thread's COM apartment for the length of a call.
#pragma once

#include "unique_handle.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace zelvo {

using UniqueBstr = UniqueHandleT<BSTR, SysFreeString>;

// ANSI text (the product's code page) as a new BSTR; empty when it cannot be converted.
UniqueBstr AnsiToBstr(const std::string& text);

// An interface pointer, released when it goes.
template <typename Interface> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Releases what is held, then hands out the address for a call to fill.
    Interface** put() {
        reset();
        return &p_;
    }

  private:
    void reset(Interface* p = nullptr) {
        if (p_)
            p_->Release();
        p_ = p;
    }

    Interface* p_ = nullptr;
};

// COM initialised (apartment-threaded) for this thread while the object lives. When the thread
// already runs another model, COM is usable as it is and is left alone.
class ComApartment {
  public:
    ComApartment() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        initialised_ = SUCCEEDED(hr); // S_FALSE too: every success needs its CoUninitialize
        usable_ = initialised_ || hr == RPC_E_CHANGED_MODE;
    }
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool usable() const { return usable_; }

  private:
    bool initialised_ = false;
    bool usable_ = false;
};

// A VARIANT that borrows a BSTR owned elsewhere (never cleared).
inline VARIANT BorrowedBstrVariant(BSTR text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}

// An empty VARIANT, for the arguments left out.
inline VARIANT EmptyVariant() {
    VARIANT v;
    VariantInit(&v);
    return v;
}

} // namespace zelvo
