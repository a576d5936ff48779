// The usage-bar option: whether the updater is installed, starts at logon and runs.
// Pure sequences over SystemOps; every step runs whatever became of the one before.
#pragma once

#include "system_ops.h"

#include <string>
#include <vector>

namespace zelvo {

// Copies the updater and its library from the application folder into the system folder when
// missing and, with both files in place, writes the logon entry (else deletes it and the logon
// task); then starts the updater. Nothing at all when the system folder is unknown.
void SwitchUsageBarsOn(SystemOps& ops);

// Whether the updater and its library are in the system folder: a logon entry or task without
// them would start nothing, or an updater that writes nothing.
bool UsageBarsInstalled(SystemOps& ops, const std::string& systemFolder);

// Deletes the updater, its library, the logon entry and the logon task (and a 32-bit icon
// changer's leftovers), and points the existing override of each fixed drive (roots "C:\" ...)
// at the default drive-icon library.
void SwitchUsageBarsOff(SystemOps& ops, const std::vector<std::string>& fixedRoots);

// The closing step: renews the logon entry while the option is on, when the updater and its
// library are in the system folder.
void RenewLogonEntry(SystemOps& ops);

// chkProg: the option's value (1 on; 0, 2 and anything else off) with its click handler, the
// switch-on or the switch-off over ops, of the fixed drives' roots in fixedRoots (the window's
// list, filled after the first click). It keeps the rule of a check box: assigning a different
// value runs the click handler at once; assigning the same runs nothing.
class UsageOption {
  public:
    static constexpr int kOn = 1;
    static constexpr int kOff = 0;

    UsageOption(SystemOps& ops, const std::vector<std::string>& fixedRoots)
        : ops_(ops), fixedRoots_(fixedRoots) {}

    int value() const { return value_; }
    bool isOn() const { return value_ == kOn; }
    void assign(int value) {
        if (value == value_)
            return;
        value_ = value;
        Click();
    }
    // The click handler, also run directly: the switch-on while on, else the switch-off.
    void Click() {
        if (isOn())
            SwitchUsageBarsOn(ops_);
        else
            SwitchUsageBarsOff(ops_, fixedRoots_);
    }

  private:
    int value_ = kOn; // created checked
    SystemOps& ops_;
    const std::vector<std::string>& fixedRoots_;
};

} // namespace zelvo
