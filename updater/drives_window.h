// frmDrives, the usage-bar updater's one window: created, never shown. Its Load lists the fixed
// drives and points each one's icon override at the usage-bar icon of its fill level; then the
// window closes and the program ends.
#pragma once

#include "update_pass.h"
#include "window.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

// The updater's exit codes besides 0, which the Task Scheduler shows as the task's last result.
inline constexpr int kExitWindowNotMade = 1;
inline constexpr int kExitWithoutLock = 2; // the pass wrote nothing for want of the updaters' lock

class DrivesWindow : public RoutedWindow<DrivesWindow> {
  public:
    static bool Register(HINSTANCE instance);
    // Creates the window, hidden.
    bool Create(HINSTANCE instance);
    // Once the window exists: the whole pass, at whose end the window is destroyed.
    void Load();

  private:
    // Procedure, and the first size question that comes before the window has its object.
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void Unload();

    void sListAllDrives();
    // The pass over lstDrives (update_pass.h), then the close that ends the program.
    void UpdateDriveIcons();
    // Replaces what is printed on the window by these lines, one under the other.
    void PrintLines(std::vector<std::string> lines);

    HINSTANCE instance_ = nullptr;
    // What is printed on the window: kept, so that every repaint shows it again.
    std::vector<std::string> printed_;
    int exitCode_ = 0; // the program's, once the pass is done

    // Working fields: lstDrives, txtPercentUsed and txtPath.
    DrivesFields fields_;
};

} // namespace zelvo
