// Accessible names through Windows' Dynamic Annotation: oleacc's IAccPropServices, created
// through COM (which loads oleacc from System32 when the first window asks), keeps each name
// with its control's window, and every screen reader reads it as the control's name.
#pragma once

#include "accessible_names.h"
#include "com_owner.h"

#include <windows.h>

#include <oleacc.h>

#include <vector>

namespace zelvo {

class DynamicAnnotator final : public NameAnnotator {
  public:
    // Names controls of the window parent; names nothing where the service is missing.
    explicit DynamicAnnotator(HWND parent);
    DynamicAnnotator(const DynamicAnnotator&) = delete;
    DynamicAnnotator& operator=(const DynamicAnnotator&) = delete;

    bool Name(int controlId, const std::string& name) override;
    // Makes a control a live region, whose showing screen readers announce once told of it
    // (EVENT_OBJECT_LIVEREGIONCHANGED); false where it cannot.
    bool MarkLive(int controlId);
    // Takes the names off again, so that the service lets go of them; before the controls go.
    void Clear();

  private:
    HWND parent_;
    ComApartment com_; // before the service, which goes first
    ComPtr<IAccPropServices> services_;
    std::vector<HWND> named_;
};

} // namespace zelvo
