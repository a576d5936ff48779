#include "icon_findings.h"

#include "texts.h"

namespace zelvo {

namespace {

// GetDriveTypeA's types that the policy's bits are numbered by.
constexpr unsigned kMaxDriveType = 7;

// A location's text in quotes, as the message shows it.
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string LocationFinding(const IconSnapshot& s) {
    if (s.location == IconLook::Missing)
        return std::string(kLocationMissingFinding) + " " + Quoted(s.locationFile);
    // A negative index names an icon by its resource id.
    const std::string number =
        s.locationIndex < 0
            ? std::string(kNoIconOfIdFinding) + " " +
                  std::to_string(-static_cast<std::int64_t>(s.locationIndex))
            : std::string(kNoIconAtIndexFinding) + " " + std::to_string(s.locationIndex);
    return number + ": " + Quoted(s.locationFile) + ".";
}

std::string AutorunFinding(const IconSnapshot& s) {
    std::string text = std::string(kAutorunFinding) + " " + Quoted(*s.autorunIcon) + ".";
    switch (s.autorunOff) {
    case AutorunOff::No:
        break;
    case AutorunOff::ForItsType:
        text += std::string(" ") + kAutorunOffForTypeFinding;
        break;
    case AutorunOff::ForItsLetter:
        text += std::string(" ") + kAutorunOffForLetterFinding;
        break;
    case AutorunOff::Mapped:
        text += std::string(" ") + kAutorunMappedFinding;
        break;
    }
    return text;
}

std::string OtherProgramFinding(const OtherProgramIcon& other) {
    std::string text =
        std::string(other.owner == KeyOwner::DesktopUser ? kOtherProgramUserFinding
                                                         : kOtherProgramMachineFinding) +
        " " + Quoted(other.value) + ".";
    if (other.file == FileLook::Missing)
        text += std::string(" ") + kOtherProgramGoneFinding;
    else if (other.file == FileLook::NotChecked)
        text += std::string(" ") + kOtherProgramNotCheckedFinding;
    return text;
}

} // namespace

std::string ForDrive(const std::string& text, char letter) {
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "%D") == 0) {
            result += letter;
            result += ':';
            ++at;
        } else {
            result += text[at];
        }
    }
    return result;
}

std::vector<Finding> DecideFindings(const IconSnapshot& s) {
    std::vector<Finding> found;
    const auto add = [&found, &s](FindingKind kind, const std::string& text) {
        found.push_back({kind, ForDrive(text, s.letter)});
    };
    if (s.usageBarsOverIt)
        add(FindingKind::UsageBars, kUsageBarsFinding);
    if (!s.readBack || *s.readBack != s.written)
        add(FindingKind::NotReadBack, kNotReadBackFinding);
    if (s.location == IconLook::Missing)
        add(FindingKind::LocationMissing, LocationFinding(s));
    else if (s.location == IconLook::NoIcon)
        add(FindingKind::NoIconAtIndex, LocationFinding(s));
    if (s.autorunIcon)
        add(FindingKind::Autorun, AutorunFinding(s));
    if (s.otherProgram)
        add(FindingKind::OtherProgram, OtherProgramFinding(*s.otherProgram));
    if (!s.driveExists)
        add(FindingKind::NoDrive, kNoDriveFinding);
    if (!found.empty() && s.settingsOf != SettingsOf::DesktopUser) {
        add(FindingKind::WhoseSettings,
            std::string(s.settingsOf == SettingsOf::OtherDesktopUser ? kOtherDesktopUserFinding
                                                                     : kNoDesktopUserFinding) +
                " " + s.account + ".");
    }
    if (found.size() > kMaxFindings)
        found.resize(kMaxFindings);
    return found;
}

std::optional<OtherProgramIcon> LeftOverIcon(const IconSnapshot& s) {
    if (!s.otherProgram || s.settingsOf == SettingsOf::OwnAccount)
        return std::nullopt;
    const OtherProgramIcon& other = *s.otherProgram;
    if (other.owner != KeyOwner::DesktopUser || other.file != FileLook::Missing ||
        !other.fileOnLocalDrive || !other.onlyDefaultValue)
        return std::nullopt;
    return other;
}

std::string FindingsMessage(const IconSnapshot& s, const std::vector<Finding>& findings,
                            const std::optional<OtherProgramIcon>& offer) {
    std::string message = ForDrive(kFindingsIntro, s.letter);
    for (const Finding& finding : findings)
        message += "\n\n" + finding.text;
    if (offer)
        message += "\n\n" + ForDrive(kRemoveLeftOverQuestion, s.letter) + "\n" + offer->keyPath +
                   "\n" + Quoted(offer->value);
    return message;
}

AutorunOff AutorunSwitchedOff(char letter, unsigned driveType,
                              std::optional<std::uint32_t> noDriveTypeAutoRun,
                              std::optional<std::uint32_t> noDriveAutoRun,
                              const std::optional<std::string>& mapping) {
    if (mapping && !mapping->empty())
        return AutorunOff::Mapped;
    if (noDriveTypeAutoRun && driveType <= kMaxDriveType &&
        (*noDriveTypeAutoRun & (std::uint32_t{1} << driveType)))
        return AutorunOff::ForItsType;
    if (noDriveAutoRun && letter >= 'A' && letter <= 'Z' &&
        (*noDriveAutoRun & (std::uint32_t{1} << (letter - 'A'))))
        return AutorunOff::ForItsLetter;
    return AutorunOff::No;
}

} // namespace zelvo
