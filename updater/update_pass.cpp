#include "update_pass.h"

#include "layout.h"
#include "usage.h"

#include <algorithm>
#include <cctype>

namespace zelvo {

void ChooseUsageIcon(PassOps& ops, DrivesFields& fields) {
    const int index = UsageIconIndex(PercentFromText(fields.txtPercentUsed));
    fields.txtPath = UsageIconLocation(ops.SystemFolder(), index);
}

PassResult UpdateDriveIcons(PassOps& ops, DrivesFields& fields,
                            const std::function<void(std::vector<std::string>)>& print) {
    PassResult result;
    bool changed = false;
    {
        const UpdatersHeld held(ops);
        result.withoutLock = !held.held();
        const std::string system = ops.SystemFolder();
        if (result.withoutLock || system.empty())
            return result;
        for (const std::string& root : fields.lstDrives) {
            std::uint64_t total = 0, free = 0;
            if (root.empty() || !ops.DriveSpace(root, total, free) || total == 0)
                continue;
            print(FigureLines(total, free));
            fields.txtPercentUsed = PercentText(UsagePercent(total, free));
            ChooseUsageIcon(ops, fields);
            // Looked for again before each write: a removal that waited for this pass in vain (a
            // disk waking from standby answers after seconds) may have deleted it meanwhile.
            if (ops.FileExists(system + kUsageLibraryFile) != FileTest::Present)
                break;
            const std::string key = DriveIconKeyPath(root[0]);
            std::string before;
            const bool known = ops.ReadRegString(key, "", before) == 0;
            ops.CreateRegKey(key);
            if (ops.SetRegString(key, "", fields.txtPath) == 0) { // a failure is not reported
                ++result.written;
                changed |= !known || before != fields.txtPath;
            }
        }
    }
    if (changed)
        TellExplorer(ops);
    return result;
}

void TellExplorer(PassOps& ops) {
    if (!ops.InServicesSession()) {
        ops.NotifyIconsChanged();
        return;
    }
    std::vector<UserSession> sessions;
    if (!ops.ListSessions(sessions))
        return;
    for (const UserSession& session : sessions) {
        if (session.active)
            ops.StartNotifier(session.id); // a session whose user cannot be had is skipped
    }
}

bool IsNotifyOnly(const std::string& commandLine) {
    const std::string::size_type first = commandLine.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::string::size_type last = commandLine.find_last_not_of(" \t");
    const std::string argument = commandLine.substr(first, last - first + 1);
    const std::string wanted = kNotifyOnlyArgument;
    return argument.size() == wanted.size() &&
           std::equal(argument.begin(), argument.end(), wanted.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace zelvo
