// Picture2, the preview box: a box in the window colour (white as a rule), 720 twips square, that
// draws into a persistent image of its own and repaints from it, with the hidden "Preview" label
// inside. It draws itself again in new colours when its parent passes WM_SYSCOLORCHANGE on.
#pragma once

#include "unique_handle.h"
#include "window.h"

#include <windows.h>

namespace zelvo {

class PreviewBox : public RoutedWindow<PreviewBox> {
  public:
    static bool Register(HINSTANCE instance);

    // Creates the box as a child of parent, showing the placeholder picture; LayOut places it.
    HWND Create(HWND parent, int id);
    // Places the box at pixels and its label at its own place for dpi, in font, and draws again
    // what it shows at that size: the placeholder until the first preview, then the last icon.
    void LayOut(const RECT& pixels, UINT dpi, HFONT font);

    // Clears the image to the plain window colour, so that nothing of an earlier picture remains.
    void Reset();
    // Draws the icon at the top-left corner in the large-icon size; kept to be drawn again when
    // the resolution changes.
    void DrawIcon(UniqueHicon icon);
    void ShowLabel();

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    // Draws what the box shows into its image.
    void Draw();

    HWND label_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UINT dpi_ = 0;
    SIZE size_ = {};
    UniqueHbitmap image_;
    bool showsPlaceholder_ = true;
    UniqueHicon icon_;
};

} // namespace zelvo
