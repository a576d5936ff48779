// Purgo, the remover: takes the product's files, logon entry and drive icon overrides off the
// machine without a word, and ends by itself.
#include "startup_policy.h"
#include "window.h"
#include "remover_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    zelvo::LoadDllsFromSystem32Only();
    zelvo::RemoverWindow window;
    if (!zelvo::RemoverWindow::Register(instance) || !window.Create(instance))
        return 1;
    window.Load();
    return zelvo::RunMessageLoop();
}
