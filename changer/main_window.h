// frmZelvo, the icon changer's one window: the drive choice, the icon location with its
// preview, and the buttons that apply and restore drive icons.
#pragma once

#include "dynamic_annotation.h"
#include "icon_findings.h"
#include "preview_box.h"
#include "unique_handle.h"
#include "usage_option.h"
#include "win_system_ops.h"
#include "window.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// A list of drive letters with the index of its selected entry (-1: none).
struct DriveLetterList {
    std::vector<std::string> items;
    int selected = -1;
};

class MainWindow : public RoutedWindow<MainWindow> {
  public:
    MainWindow();

    static bool Register(HINSTANCE instance);
    // Creates the window and its controls, hidden.
    bool Create(HINSTANCE instance);
    // The start-up steps; false when the program must end instead of showing the window.
    bool Load();
    void Show();

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void OnCommand(int id, int code);
    void OnDriveChosen();
    // cmdBrowse: the chosen icon's location into txtIconPath, and its preview.
    void OnBrowse();
    void OnApply();
    void ShowFindings(const IconSnapshot& snapshot);
    void OnRestore();
    void OnHelp();
    void OnClose();
    // Runs one of the window's actions, which may wait for an updater; a close asked for
    // meanwhile follows once it is done.
    template <typename Action> void RunAction(Action action);
    void OnWaiting(bool waiting);
    void OnActivate(bool active);
    void OnShown();
    void OnPaint();
    bool OnSetCursor(HWND over);
    LRESULT OnNotify(NMHDR* header);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control);
    // The system colours or high contrast changed: the controls (common controls learn it only
    // from their parent), the pictures and the band follow at once.
    void OnColoursChanged();
    // The window moved to a monitor of another resolution: the place Windows suggests (if
    // any), and everything laid out again at the new resolution.
    void OnDpiChanged(UINT dpi, const RECT* suggested);

    void CreateControls(UINT dpi);
    // Places the controls at their twips again, with the font and the pictures for dpi.
    void LayOut(UINT dpi);

    void LoadPictures();
    void CreateToolTips();
    void FillDriveLetters();
    std::string ChosenDriveLetter() const;
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    HINSTANCE instance_ = nullptr;
    UINT dpi_ = 0; // the resolution the window is laid out at
    UniqueHfont font_;
    UniqueHbitmap productPicture_, bannerPicture_;
    UniqueHicon helpIcon_;
    HCURSOR handCursor_ = nullptr;
    PreviewBox picture2_;
    std::string toolTipText_;
    HWND focusOnDeactivate_ = nullptr;
    std::optional<DynamicAnnotator> names_; // the accessible names, from creation to destruction
    // Apply and Restore Defaults may wait for a slow updater with the window's messages running:
    // neither runs again meanwhile, and a close waits until the one at work is done.
    bool busy_ = false;
    bool closeWhenDone_ = false;
    // The wait for an updater, shown: its line, the busy cursor, and Apply, Browse and Restore
    // greyed out; the focus they had comes back to them.
    bool waiting_ = false;
    HWND focusBeforeWaiting_ = nullptr;
    // Every effect of the window's handlers and sequences, with the window as the owner of
    // whatever the shell starts.
    WinSystemOps ops_;

    // Hidden working state.
    DriveLetterList lstDrives;           // mirror of cboDrives; its selection is the chosen drive
    std::vector<std::string> lstDrives2; // roots of the fixed drives
    UsageOption chkProg;                 // the usage-bar option
};

} // namespace zelvo
