// frmPurgo, the remover's one window: never shown; it exists to own the removal, which runs
// once it is created and ends by closing it.
#pragma once

#include "window.h"

#include <windows.h>

namespace zelvo {

class RemoverWindow : public RoutedWindow<RemoverWindow> {
  public:
    static bool Register(HINSTANCE instance);
    // Creates the window, hidden.
    bool Create(HINSTANCE instance);
    // The removal, then the close that ends the program.
    void Load();

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnClose();
};

} // namespace zelvo
