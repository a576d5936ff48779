// Picture2, the preview box: a 48 x 48 white box that draws into a persistent image of its own
// and repaints from it, with the hidden "Preview" label inside.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace zelvo {

class PreviewBox {
  public:
    static bool Register(HINSTANCE instance);

    // Creates the box as a child of parent; pixel geometry. The placeholder picture is shown.
    HWND Create(HWND parent, int id, const RECT& pixels, HBITMAP placeholder, HFONT font);

    // Clears the image to plain white, so that nothing of an earlier picture remains.
    void Reset();
    // Draws the icon at the top-left corner in the system's large-icon size.
    void DrawIcon(HICON icon);
    void ShowLabel();

  private:
    template <typename T>
    friend LRESULT CALLBACK RoutedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void FillWhite(HDC dc) const;

    HWND hwnd_ = nullptr;
    HWND label_ = nullptr;
    SIZE size_ = {};
    UniqueHbitmap image_;
};

} // namespace zelvo
