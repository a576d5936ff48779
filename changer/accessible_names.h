// The names that screen readers speak for the controls whose caption does not say what they do
// (the browse button's "....") or that have none (the boxes and the help picture). Each window's
// names are one table, given to its controls through a seam, so that which control gets which
// name is tested natively.
#pragma once

#include "resource.h"

#include <string>

namespace zelvo {

struct AccessibleName {
    int controlId;
    const char* name;
};

// frmZelvo's controls that the keyboard reaches or the mouse clicks, but for the buttons whose
// captions name them ("&Apply Icon", "&Restore Defaults", "&Close"). txtDummy, unseen, holds the
// focus when the window opens: its name tells where to go from there.
inline constexpr AccessibleName kMainWindowNames[] = {
    {IDC_TXTDUMMY, "Press Tab to choose a drive"}, {IDC_CBODRIVES, "Drive"},
    {IDC_CMDBROWSE, "Browse for an icon"},         {IDC_TXTICONPATH, "Icon location"},
    {IDC_PICTURE2, "Preview of the chosen icon"},  {IDC_IMAGE2, "Help"},
};

// "Change Icon": its path box and icon list take the words of the labels above them, whatever
// a screen reader makes of the labels; its buttons are named by their captions.
inline constexpr AccessibleName kChangeIconNames[] = {
    {IDC_PICK_FILE, "Look for icons in this file"},
    {IDC_PICK_ICONS, "Select an icon from the list below"},
};

// Gives a control of a window the name that screen readers speak; false when it could not.
class NameAnnotator {
  public:
    virtual ~NameAnnotator() = default;
    virtual bool Name(int controlId, const std::string& name) = 0;
};

// Names every control of a table. A control that cannot be named keeps the name Windows gives
// it, and the others are named all the same.
template <typename Table> void NameControls(NameAnnotator& annotator, const Table& names) {
    for (const AccessibleName& entry : names)
        annotator.Name(entry.controlId, entry.name); // a failure changes nothing else
}

} // namespace zelvo
