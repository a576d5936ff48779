#include "task_scheduler.h"

namespace zelvo {

ComPtr<ITaskFolder> RootTaskFolder() {
    ComPtr<ITaskService> service;
    if (FAILED(CoCreateInstance(__uuidof(TaskScheduler), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(ITaskService), reinterpret_cast<void**>(service.put()))))
        return {};
    const VARIANT none = EmptyVariant();
    if (FAILED(service->Connect(none, none, none, none)))
        return {};
    const UniqueBstr root = AnsiToBstr("\\");
    ComPtr<ITaskFolder> folder;
    if (!root || FAILED(service->GetFolder(root.get(), folder.put())))
        return {};
    return folder;
}

} // namespace zelvo
