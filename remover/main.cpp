// Purgo, the remover: takes the product's files, logon entry and drive icon overrides off the
// machine without a word, and ends by itself.
#include "program.h"
#include "system_function.h"
#include "window.h"
#include "remover_window.h"

namespace zelvo {
const char kProgramTitle[] = "Purgo";
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    zelvo::LoadDllsFromSystem32Only();
    zelvo::RemoverWindow window;
    if (!zelvo::RemoverWindow::Register(instance) || !window.Create(instance))
        return 1;
    window.Load();
    return zelvo::RunMessageLoop();
}
