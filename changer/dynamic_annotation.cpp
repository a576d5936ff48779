#include "dynamic_annotation.h"

#include "system_text.h"

namespace zelvo {

namespace {

// Declared by oleacc.h, but defined in no library that the programs link.
constexpr CLSID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
// UI Automation's LiveSetting, which the headers here lack; its value Polite (1).
constexpr MSAAPROPID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kLivePolite = 1;
constexpr MSAAPROPID kAnnotatedProperties[] = {kNameProperty, kLiveSettingProperty};

} // namespace

DynamicAnnotator::DynamicAnnotator(HWND parent) : parent_(parent) {
    if (com_.usable())
        CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                         kAccPropServicesInterface,
                         reinterpret_cast<void**>(services_.put())); // none: names nothing
}

bool DynamicAnnotator::Name(int controlId, const std::string& name) {
    const HWND control = GetDlgItem(parent_, controlId);
    if (!services_ || !control)
        return false;
    const std::wstring text = WidenAnsi(name);
    if (FAILED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         kNameProperty, text.c_str())))
        return false;
    named_.push_back(control);
    return true;
}

bool DynamicAnnotator::MarkLive(int controlId) {
    const HWND control = GetDlgItem(parent_, controlId);
    if (!services_ || !control)
        return false;
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kLivePolite;
    if (FAILED(services_->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      kLiveSettingProperty, polite)))
        return false;
    named_.push_back(control);
    return true;
}

void DynamicAnnotator::Clear() {
    // A property a control was never given is cleared without harm.
    for (const HWND control : named_)
        services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  kAnnotatedProperties, ARRAYSIZE(kAnnotatedProperties));
    named_.clear();
}

} // namespace zelvo
