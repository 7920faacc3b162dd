// Start-up: the main window is created and shown; from then on the program only answers events.
#include <windows.h>
#include <commctrl.h>

#include "about/win32/about_form.hpp"
#include "shell/win32/main_window.hpp"
#include "shell/win32/message_loop.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The version label opens the About dialog beside the main window, the active one at the click.
    MainWindow mainWindow{[] { frmAbout2().Show(GetActiveWindow()); }};
    if (!mainWindow.Create(instance)) return 1;
    ShowWindow(mainWindow.Window(), showCommand);
    UpdateWindow(mainWindow.Window());
    return RunMessageLoop();
}
