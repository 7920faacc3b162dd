// Start-up: the main window is created and shown; from then on the program only answers events.
#include <windows.h>
#include <commctrl.h>

#include "runtime/win32/message_loop.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "shell/win32/tenmoru_form.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    tenmoru::RestrictDllSearchToSystemFolder();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    tenmoru::Tenmoru mainForm;
    if (!mainForm.Load(nullptr)) return 1;
    mainForm.Show(showCommand);
    return tenmoru::RunMessageLoop();
}
