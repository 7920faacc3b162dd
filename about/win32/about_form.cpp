#include "about/win32/about_form.hpp"

#include <windowsx.h>

#include <algorithm>

#include "about/about_texts.hpp"
#include "about/registry_reader.hpp"
#include "about/sys_info_launcher.hpp"
#include "about/win32/about_layout.hpp"
#include "about/win32/picture_box.hpp"
#include "about/win32/system_code_page.hpp"
#include "about/win32/system_files.hpp"
#include "about/win32/system_registry.hpp"
#include "shell/app.hpp"
#include "shell/win32/layout.hpp"
#include "shell/win32/open_forms.hpp"
#include "shell/win32/ui_font.hpp"
#include "shell/win32/win32_ui.hpp"

namespace {

// Fixed dialog frame: a title bar with the close button, no minimise or maximise, not resizable.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

// The labels drawn in black; the version label keeps the system's text colour.
bool IsBlackLabel(int id) {
    return id == IDC_LBLTITLE || id == IDC_LBLDESCRIPTION || id == IDC_LBLDISCLAIMER;
}

HICON LoadIconSized(HINSTANCE instance, int id, int size, UINT flags) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
}

}  // namespace

AboutForm& frmAbout2() {
    static AboutForm form;
    return form;
}

bool AboutForm::Show(HWND beside) {
    if (Window() != nullptr) {
        // Already open: the same window again, unchanged.
        ShowWindow(Window(), SW_SHOW);
        SetForegroundWindow(Window());
        return true;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterPictureBoxClass(instance)) return false;
    const HICON bigIcon = LoadIconSized(instance, IDI_ABOUT, GetSystemMetrics(SM_CXICON), LR_SHARED);
    const HICON smallIcon = LoadIconSized(instance, IDI_ABOUT, GetSystemMetrics(SM_CXSMICON), LR_SHARED);
    // Created hidden and unowned; loaded and placed before the player sees it.
    if (!CreateTopLevel(instance, TENMORU_ABOUT_CLASS, L"ﾊﾞｰｼﾞｮﾝ情報", kStyle, kExStyle, nullptr, bigIcon,
                        smallIcon)) {
        return false;
    }
    Form_Load();
    PlaceBeside(beside);
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetForegroundWindow(Window());
    focus_.Set(GetDlgItem(Window(), IDC_CMDOK));
    focus_.Restore();
    return true;
}

void AboutForm::StartSysInfo() {
    SystemRegistry registry;
    const SystemAnsiCodePage codePage;
    RegistryReader reader(registry, codePage);
    const SystemFileSystem files;
    SystemProcessStarter processes;
    Win32Ui ui{Window()};
    SysInfoLauncher(reader, files, processes, ui).StartSysInfo();
}

LRESULT AboutForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID:
        return OnGetDefId(hwnd);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void AboutForm::Form_Load() {
    const LoadedAboutTexts texts = BuildAboutTexts(App);
    SetWindowTextW(Window(), texts.Caption.c_str());
    SetDlgItemTextW(Window(), IDC_LBLVERSION, texts.Version.c_str());
    SetDlgItemTextW(Window(), IDC_LBLTITLE, texts.Title.c_str());
}

void AboutForm::cmdOK_Click() {
    // Unload: the window goes; the instance stays for the next opening.
    DestroyWindow(Window());
}

void AboutForm::cmdSysInfo_Click() { StartSysInfo(); }

BOOL AboutForm::OnCreate(HWND hwnd, LPCREATESTRUCT) {
    if (!CreateControls(hwnd, kAboutControls)) return FALSE;
    OpenForms::Instance().Add(hwnd);
    ApplyDpi(WindowDpi(hwnd));
    return TRUE;
}

void AboutForm::OnCommand(HWND, int id, HWND, UINT code) {
    switch (id) {
    case IDC_CMDOK:
    case IDCANCEL:  // Esc: OK is the cancel button as well
        if (code == BN_CLICKED) cmdOK_Click();
        else if (id == IDC_CMDOK && code == BN_SETFOCUS) SetDefaultButton(IDC_CMDOK);
        break;
    case IDC_CMDSYSINFO:
        if (code == BN_CLICKED) cmdSysInfo_Click();
        else if (code == BN_SETFOCUS) SetDefaultButton(IDC_CMDSYSINFO);
        else if (code == BN_KILLFOCUS) SetDefaultButton(IDC_CMDOK);
        break;
    default:
        break;
    }
}

void AboutForm::OnActivate(HWND hwnd, UINT state, HWND, BOOL minimized) {
    focus_.OnActivate(hwnd, state, minimized);
}

void AboutForm::OnPaint(HWND hwnd) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd, &paint);
    const UINT dpi = WindowDpi(hwnd);
    for (const SeparatorStroke& stroke : kAboutSeparator) {
        const RECT band = SeparatorPixels(stroke, dpi);
        SetDCBrushColor(dc, stroke.colour);
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    EndPaint(hwnd, &paint);
}

HBRUSH AboutForm::OnCtlColorStatic(HWND, HDC dc, HWND label, int) {
    SetTextColor(dc, IsBlackLabel(GetDlgCtrlID(label)) ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void AboutForm::OnDestroy(HWND hwnd) {
    focus_.Set(nullptr);
    OpenForms::Instance().Remove(hwnd);
}

void AboutForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const SIZE size = WindowSizeForClient(kAboutClient, kStyle, kExStyle, dpi);
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
}

LRESULT AboutForm::OnGetDefId(HWND hwnd) {
    // Enter clicks the focused button, and OK wherever else the focus is.
    const HWND focus = GetFocus();
    const int id = focus != nullptr && IsChild(hwnd, focus) && GetDlgCtrlID(focus) == IDC_CMDSYSINFO ? IDC_CMDSYSINFO
                                                                                                     : IDC_CMDOK;
    return MAKELRESULT(id, DC_HASDEFID);
}

void AboutForm::ApplyDpi(UINT dpi) {
    unique_hfont font = CreateUiFont(dpi);
    PlaceControls(Window(), kAboutControls, dpi, font.get());
    font_ = std::move(font);  // the old font goes only after no control uses it

    const int iconSize = PictureIconSize(dpi);
    unique_hicon icon(LoadIconSized(GetModuleHandleW(nullptr), IDI_PICICON, iconSize, LR_DEFAULTCOLOR));
    SendDlgItemMessageW(Window(), IDC_PICICON, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    pictureIcon_ = std::move(icon);

    const SIZE size = WindowSizeForClient(kAboutClient, kStyle, kExStyle, dpi);
    SetWindowPos(Window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Window(), nullptr, TRUE);
}

void AboutForm::SetDefaultButton(int id) {
    const int other = id == IDC_CMDOK ? IDC_CMDSYSINFO : IDC_CMDOK;
    SendDlgItemMessageW(Window(), other, BM_SETSTYLE, BS_PUSHBUTTON | BS_NOTIFY, TRUE);
    SendDlgItemMessageW(Window(), id, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
}

void AboutForm::PlaceBeside(HWND beside) {
    RECT self{};
    GetWindowRect(Window(), &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(beside != nullptr ? beside : Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;

    // Right of the window it was opened from, else left of it, else centred; inside the work area.
    int x = work.left + ((work.right - work.left) - width) / 2;
    int y = work.top + ((work.bottom - work.top) - height) / 2;
    RECT anchor{};
    if (beside != nullptr && IsWindowVisible(beside) && !IsIconic(beside) && GetWindowRect(beside, &anchor)) {
        y = anchor.top;
        if (anchor.right + width <= work.right) {
            x = anchor.right;
        } else if (anchor.left - width >= work.left) {
            x = anchor.left - width;
        }
    }
    x = std::clamp(x, static_cast<int>(work.left), std::max<int>(work.left, work.right - width));
    y = std::clamp(y, static_cast<int>(work.top), std::max<int>(work.top, work.bottom - height));
    SetWindowPos(Window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
