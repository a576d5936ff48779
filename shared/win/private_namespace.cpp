#include "private_namespace.h"

#include "system_function.h"

namespace zelvo {

namespace {

using CreateBoundaryDescriptorFn = HANDLE(WINAPI*)(LPCWSTR, ULONG);
using AddSidToBoundaryDescriptorFn = BOOL(WINAPI*)(HANDLE*, PSID);
using DeleteBoundaryDescriptorFn = VOID(WINAPI*)(HANDLE);
using CreatePrivateNamespaceFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR);
using OpenPrivateNamespaceFn = HANDLE(WINAPI*)(LPVOID, LPCWSTR);
using ClosePrivateNamespaceFn = BOOLEAN(WINAPI*)(HANDLE, ULONG);

constexpr char kKernel32[] = "kernel32.dll";

// Another program may close the namespace between a failed creation and the opening: tried
// again a few times.
constexpr int kAttempts = 3;

// The boundary descriptor, deleted when it goes.
class Boundary {
  public:
    Boundary(HANDLE descriptor, DeleteBoundaryDescriptorFn remove)
        : descriptor_(descriptor), remove_(remove) {}
    ~Boundary() {
        if (descriptor_)
            remove_(descriptor_);
    }
    Boundary(const Boundary&) = delete;
    Boundary& operator=(const Boundary&) = delete;
    HANDLE* put() { return &descriptor_; }
    HANDLE get() const { return descriptor_; }

  private:
    HANDLE descriptor_;
    DeleteBoundaryDescriptorFn remove_;
};

} // namespace

void ClosePrivateNamespaceHandle(HANDLE handle) {
    if (const auto close =
            SystemFunction<ClosePrivateNamespaceFn>(kKernel32, "ClosePrivateNamespace"))
        close(handle, 0);
}

UniqueNamespace OpenAdministratorsNamespace(const wchar_t* name, SECURITY_ATTRIBUTES* security,
                                            bool& offered) {
    const auto createBoundary =
        SystemFunction<CreateBoundaryDescriptorFn>(kKernel32, "CreateBoundaryDescriptorW");
    const auto addSid =
        SystemFunction<AddSidToBoundaryDescriptorFn>(kKernel32, "AddSIDToBoundaryDescriptor");
    const auto deleteBoundary =
        SystemFunction<DeleteBoundaryDescriptorFn>(kKernel32, "DeleteBoundaryDescriptor");
    const auto create =
        SystemFunction<CreatePrivateNamespaceFn>(kKernel32, "CreatePrivateNamespaceW");
    const auto open = SystemFunction<OpenPrivateNamespaceFn>(kKernel32, "OpenPrivateNamespaceW");
    offered = false;
    if (!createBoundary || !addSid || !deleteBoundary || !create || !open)
        return {};
    // Wine's stub fails here; its AddSIDToBoundaryDescriptor would end the process.
    Boundary boundary(createBoundary(name, 0), deleteBoundary);
    if (!boundary.get())
        return {};
    offered = true;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &sidSize) ||
        !addSid(boundary.put(), administrators))
        return {};
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (HANDLE created = create(security, boundary.get(), name))
            return UniqueNamespace(created);
        if (HANDLE opened = open(boundary.get(), name))
            return UniqueNamespace(opened);
    }
    return {};
}

} // namespace zelvo
