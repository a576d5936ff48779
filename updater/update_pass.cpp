#include "update_pass.h"

#include "layout.h"
#include "usage.h"

namespace zelvo {

void ChooseUsageIcon(PassOps& ops, DrivesFields& fields) {
    const int index = UsageIconIndex(PercentFromText(fields.txtPercentUsed));
    fields.txtPath = UsageIconLocation(ops.SystemFolder(), index);
}

int UpdateDriveIcons(PassOps& ops, DrivesFields& fields,
                     const std::function<void(std::vector<std::string>)>& print) {
    int written = 0;
    {
        const UpdatersHeld held(ops);
        const std::string system = ops.SystemFolder();
        if (!held.held() || system.empty() ||
            ops.FileExists(system + kUsageLibraryFile) != FileTest::Present)
            return 0;
        for (const std::string& root : fields.lstDrives) {
            std::uint64_t total = 0, free = 0;
            if (root.empty() || !ops.DriveSpace(root, total, free) || total == 0)
                continue;
            print(FigureLines(total, free));
            fields.txtPercentUsed = PercentText(UsagePercent(total, free));
            ChooseUsageIcon(ops, fields);
            const std::string key = DriveIconKeyPath(root[0]);
            ops.CreateRegKey(key);
            if (ops.SetRegString(key, "", fields.txtPath) == 0) // a failure is not reported
                ++written;
        }
    }
    if (written > 0)
        ops.NotifyIconsChanged();
    return written;
}

} // namespace zelvo
