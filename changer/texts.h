// The texts of the icon changer's message boxes. "..." stands where an ellipsis is meant: not
// every ANSI code page has the ellipsis character.
#pragma once

namespace zelvo {

inline constexpr char kNoAppFolderText[] =
    "Zelvo Drives cannot tell which folder it was started from, so it cannot install its "
    "files. Please start ZelvoDrv.exe again from its own folder.";
inline constexpr char kDefaultLibraryFailedText[] =
    "The default drive icons could not be installed into the system folder:";
inline constexpr char kNothingSelectedText[] = "Please select an icon     ";
inline constexpr char kNothingSelectedTitle[] = "Nothing Selected";
// "The icon for drive E could not be stored.", then Windows' reason.
inline constexpr char kApplyFailedBefore[] = "The icon for drive ";
inline constexpr char kApplyFailedAfter[] = " could not be stored.";

// After Apply, when something may keep Windows from showing the icon. "%D" stands for the drive
// ("E:").
inline constexpr char kFindingsIntro[] =
    "The icon for drive %D is stored, but Windows may not show it:";
inline constexpr char kUsageBarsFinding[] =
    "%D is a hard drive and the usage bars are on: its usage bar will take this icon's place at "
    "the next refresh, within the hour. Restore Defaults turns the usage bars off until Zelvo "
    "Drives is started again.";
inline constexpr char kNotReadBackFinding[] =
    "The icon stored for %D does not read back as it was written: another program may have "
    "changed it at once.";
inline constexpr char kLocationMissingFinding[] = "The icon file does not exist:";
inline constexpr char kNoIconAtIndexFinding[] = "The icon file holds no icon number";
inline constexpr char kNoIconOfIdFinding[] = "The icon file holds no icon with the resource id";
inline constexpr char kAutorunFinding[] =
    "The root of %D holds an autorun.inf that names an icon of its own; Windows may show that "
    "one:";
inline constexpr char kAutorunOffForTypeFinding[] =
    "A policy switches Autorun off for drives of this type, so Windows probably ignores it.";
inline constexpr char kAutorunOffForLetterFinding[] =
    "A policy switches Autorun off for %D, so Windows probably ignores it.";
inline constexpr char kAutorunMappedFinding[] =
    "The registry maps autorun.inf elsewhere, so Windows probably ignores it.";
inline constexpr char kOtherProgramUserFinding[] =
    "Another program set an icon for %D in the user's settings; Windows may show that one:";
inline constexpr char kOtherProgramMachineFinding[] =
    "Another program set an icon for %D for every user of this computer; Windows may show that "
    "one:";
inline constexpr char kOtherProgramGoneFinding[] =
    "Its file is missing: it was left by a program that is no longer installed.";
inline constexpr char kOtherProgramNotCheckedFinding[] =
    "Its file was not looked at: it lies on a network or behind a link.";
inline constexpr char kNoDriveFinding[] =
    "No drive has the letter %D now. The icon belongs to the letter: any disk that gets %D "
    "later will show it.";
inline constexpr char kOtherDesktopUserFinding[] =
    "The settings looked at are those of the user of the desktop, not of this program's "
    "account:";
inline constexpr char kNoDesktopUserFinding[] =
    "The user of the desktop could not be found, so the settings looked at are those of this "
    "program's account:";
inline constexpr char kRemoveLeftOverQuestion[] =
    "Remove the icon that a program no longer installed left for %D? This value would go:";
inline constexpr char kLeftOverChangedText[] =
    "The icon left for %D has changed meanwhile, so it was not removed.";
inline constexpr char kLeftOverNotRemovedText[] = "The icon left for %D could not be removed:";

} // namespace zelvo
