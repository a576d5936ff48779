// Drives the real icon changer as a user would: start it, find its controls, pick, click, close.
#pragma once

#include "harness.h"

#include <memory>
#include <string>

namespace zelvo::testing {

class ChangerDriver {
  public:
    // Starts ZelvoDrv from the application folder and waits for its window; false if none came.
    bool Start();
    // Closes the window as the close box would and waits for the program's end.
    bool Close();
    ~ChangerDriver();

    HWND window() const { return window_; }
    DWORD processId() const { return process_ ? process_->id() : 0; }
    Process& process() { return *process_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::string ComboEntry(int index) const;
    // Picks an entry of the drive drop-down, notifying the window as a user's choice does.
    void ChooseDrive(int index);
    void ChooseDrive(const char* letter);
    void TypeLocation(const std::string& text);
    // Clicks a button and returns once the window has handled the click.
    void Click(int id);
    // Clicks a button without waiting for the window to handle it: for a click that opens a modal
    // box, or one whose handling the test acts on while it runs.
    void PostClick(int id);
    // The control that has the keyboard focus in the changer.
    HWND Focus() const;

    // What Apply said after storing the icon: the text of its message (empty when it showed none)
    // and whether it asked Yes or No.
    struct Said {
        std::string text;
        bool askedYesNo = false;
    };
    // Clicks Apply and answers its message, if it shows one, with `answer` (IDOK, IDYES or IDNO;
    // a box without that button gets its own default), once Apply is done or its message is up.
    Said Apply(int answer = IDOK);

  private:
    std::unique_ptr<Process> process_;
    HWND window_ = nullptr;
};

} // namespace zelvo::testing
