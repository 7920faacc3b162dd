#pragma once
// The About dialog frmAbout2: title, version, credit, the etched separator, a warning line, OK and
// the system-information button. Modeless and unowned; one instance for the whole program, whose
// window is built anew at every opening after it was closed.
#include <windows.h>

#include "shell/win32/base_window.hpp"
#include "shell/win32/focus_memory.hpp"
#include "shell/win32/unique_handle.hpp"

class AboutForm final : public BaseWindow<AboutForm> {
public:
    // Opens the dialog beside the window beside, or brings the open one to the front unchanged.
    // Returns false when the window could not be built.
    bool Show(HWND beside);

    // Starts the system-information tool, or tells the player that it is unavailable.
    void StartSysInfo();

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Handlers of the dialog's events.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    BOOL OnCreate(HWND hwnd, LPCREATESTRUCT create);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnPaint(HWND hwnd);
    HBRUSH OnCtlColorStatic(HWND hwnd, HDC dc, HWND label, int type);
    void OnDestroy(HWND hwnd);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    LRESULT OnGetDefId(HWND hwnd);

    void ApplyDpi(UINT dpi);
    void SetDefaultButton(int id);
    void PlaceBeside(HWND beside);

    unique_hfont font_;
    unique_hicon pictureIcon_;
    FocusMemory focus_;
};

// The program's one About dialog, created on first use.
AboutForm& frmAbout2();
