// The benchmark's yardstick: the least program that shows the same main window as Tenmoru.exe (class
// style, frame, title, client size, the four captions in the system's message font, the manifest)
// and, on its start button, the same input box (yardstick.rc) and a message box in turn until the
// input box gives the empty text. Built from nothing of Tenmoru's, so that whatever Tenmoru's code
// costs shows in the ratio of the two. With YARDSTICK_WINDOW_ONLY, the least program that shows the
// main window alone: no code or template of the boxes, so that it carries no cost of them at start.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr wchar_t kTitle[] = L"Tenmoru";
constexpr int kStart = 201;

struct Control {
    int id;
    const wchar_t *className, *text;
    DWORD style;
    int left, top, width, height;  // twips
};
constexpr Control kControls[] = {
    {kStart, WC_BUTTONW, L"ちょうせん", BS_PUSHBUTTON | WS_TABSTOP, 840, 600, 1335, 375},
    {203, WC_STATICW, L"つかいかた", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 480, 120, 975, 255},
    {204, WC_STATICW, L"バージョン", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 1800, 120, 975, 255},
    {202, WC_BUTTONW, L"おわる", BS_PUSHBUTTON | WS_TABSTOP, 840, 1200, 1335, 375},
};

int dpi = USER_DEFAULT_SCREEN_DPI;
int Pixels(int twips) { return MulDiv(twips, dpi, 1440); }

#ifndef YARDSTICK_WINDOW_ONLY
INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return SetWindowLongPtrW(dialog, DWLP_USER, lParam), TRUE;
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    auto* answer = reinterpret_cast<wchar_t*>(GetWindowLongPtrW(dialog, DWLP_USER));
    answer[0] = L'\0';
    if (LOWORD(wParam) == IDOK) GetDlgItemTextW(dialog, 1002, answer, 64);
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

// The same boxes as a game that is never won: each answer gets the same message.
void Play(HWND window) {
    for (wchar_t answer[64] = {};;) {
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), window, InputProc,
                        reinterpret_cast<LPARAM>(answer));
        if (answer[0] == L'\0') return;
        MessageBoxW(window, L"入力数値は1～10までです", kTitle, MB_OK);
    }
}
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Enter clicks the focused button, as in Tenmoru.
    if (message == DM_GETDEFID) return MAKELRESULT(GetDlgCtrlID(GetFocus()), DC_HASDEFID);
#ifndef YARDSTICK_WINDOW_ONLY
    if (message == WM_COMMAND && LOWORD(wParam) == kStart && HIWORD(wParam) == BN_CLICKED) Play(window);
#endif
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TenmoruYardstick";
    if (RegisterClassExW(&windowClass) == 0) return 1;
    const HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    RECT frame{0, 0, Pixels(2955), Pixels(1725)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    const HWND window = CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    for (const Control& c : kControls) {
        const HWND control = CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, Pixels(c.left),
                                             Pixels(c.top), Pixels(c.width), Pixels(c.height), window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);
    SetFocus(GetDlgItem(window, kStart));

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;  // Tab, and Enter through DM_GETDEFID
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
