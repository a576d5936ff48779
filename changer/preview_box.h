// Picture2, the preview box: a box in the window colour (white as a rule), 720 twips square, that
// draws into a persistent image of its own and repaints from it, with the hidden "Preview" label
// inside. It draws itself again in new colours when its parent passes WM_SYSCOLORCHANGE on.
#pragma once

#include "unique_handle.h"
#include "window.h"

#include <windows.h>

#include <string>

namespace zelvo {

class PreviewBox : public RoutedWindow<PreviewBox> {
  public:
    static bool Register(HINSTANCE instance);

    // Creates the box as a child of parent at pixels, with its label at its own place for dpi in
    // font, showing the placeholder picture.
    HWND Create(HWND parent, int id, const RECT& pixels, UINT dpi, HFONT font);
    // Places the box at pixels and its label at its own place for dpi, in font, and draws again
    // what it shows at that size: the placeholder until the first preview, then the last icon.
    void LayOut(const RECT& pixels, UINT dpi, HFONT font);

    // ShowIconPreview: the icon that an icon location names, as Explorer would show it, drawn on
    // the plain window colour at the top-left corner in the large-icon size (and again when the
    // resolution changes), then the label shown. Nothing is drawn for a location that names no
    // icon.
    void ShowIconPreview(const std::string& location);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    // A new image of the box's size for dpi, and what the box shows drawn into it.
    void Prepare(SIZE size, UINT dpi);
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
