#pragma once
// The main window, form "Tenmoru": two labels and two buttons, each starting one handler.
#include <windows.h>

#include <functional>

#include "shell/random.hpp"
#include "shell/win32/base_window.hpp"
#include "shell/win32/focus_memory.hpp"
#include "shell/win32/unique_handle.hpp"

class MainWindow final : public BaseWindow<MainWindow> {
public:
    // showAbout: what a click on the version label does (opens the About dialog); may be empty.
    explicit MainWindow(std::function<void()> showAbout = {});

    // Creates the window with its controls, laid out for the DPI of the place it opens at.
    bool Create(HINSTANCE instance);

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The handlers of the four controls.
    void cmdstat_Click();
    void lblhelp_Click();
    void lblver_Click();
    void cmdend_Click();

    BOOL OnCreate(HWND hwnd, LPCREATESTRUCT create);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND hwnd, HWND lost);
    void OnDestroy(HWND hwnd);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    LRESULT OnGetDefId(HWND hwnd);

    void ApplyDpi(UINT dpi);

    std::function<void()> showAbout_;
    ClockRandom random_;
    unique_hfont font_;
    FocusMemory focus_;
};
