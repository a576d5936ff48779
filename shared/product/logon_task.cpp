#include "logon_task.h"

#include "layout.h"
#include "logon_task_xml.h"
#include "task_scheduler.h"

namespace zelvo {

namespace {

// The registered account: the local SYSTEM account, by the name the API takes for it.
constexpr char kSystemAccount[] = "SYSTEM";

} // namespace

bool RegisterLogonTask(const std::string& updaterPath) {
    const ComApartment com;
    if (!com.usable())
        return false;
    const ComPtr<ITaskFolder> folder = RootTaskFolder();
    const UniqueBstr name = AnsiToBstr(kLogonTaskName);
    const UniqueBstr xml = AnsiToBstr(LogonTaskXml(updaterPath));
    const UniqueBstr account = AnsiToBstr(kSystemAccount);
    if (!folder || !name || !xml || !account)
        return false;
    const VARIANT none = EmptyVariant();
    ComPtr<IRegisteredTask> task;
    return SUCCEEDED(folder->RegisterTask(name.get(), xml.get(), TASK_CREATE_OR_UPDATE,
                                          BorrowedBstrVariant(account.get()), none,
                                          TASK_LOGON_SERVICE_ACCOUNT, none, task.put()));
}

bool DeleteLogonTask() {
    const ComApartment com;
    if (!com.usable())
        return false;
    const ComPtr<ITaskFolder> folder = RootTaskFolder();
    const UniqueBstr name = AnsiToBstr(kLogonTaskName);
    return folder && name && SUCCEEDED(folder->DeleteTask(name.get(), 0));
}

} // namespace zelvo
