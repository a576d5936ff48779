// "Change Icon", the product's own icon picker for a shell without a working one: the icons of a
// file in a list to choose from, under the contract of the shell's picker.
#pragma once

#include "icon_browse.h"

#include <windows.h>

namespace zelvo {

class IconPickerDialog final : public IconPicker {
  public:
    explicit IconPickerDialog(HWND owner) : owner_(owner) {}

    // Modal, centred on the owner. Works in ANSI text whatever `wide` asks; a dialog that could
    // not open counts as cancelled.
    int Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool wide) override;

  private:
    HWND owner_;
};

} // namespace zelvo
