// The benchmark's yardstick: the least program that shows the same main window as Tenmoru.exe
// (window class style, frame, title, client size, the four captioned controls in the system's
// message font, the same manifest) and, when its start button is clicked, an input box with the
// same prompt, field and buttons and a message box in turn, until the input box gives the empty
// text. It is built from nothing of Tenmoru's: plain Win32 and its own few lines, so that whatever
// Tenmoru's code costs, including its runtime layer, shows in the ratio of the two.
// Built with YARDSTICK_WINDOW_ONLY, it is the least program that shows the main window alone: its
// start button does nothing, and no code of the boxes is in it, so that it carries no cost of them
// at start either.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"TenmoruYardstick";
constexpr wchar_t kTitle[] = L"Tenmoru";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr int kStart = 201;
// The input box's prompt and field as the benchmark's driver finds them in Tenmoru's box.
constexpr int kPromptId = 1001;
constexpr int kFieldId = 1002;

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
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
HFONT font = nullptr;

int Pixels(int twips) { return MulDiv(twips, dpi, 1440); }

#ifndef YARDSTICK_WINDOW_ONLY
// An in-memory dialog template: the frame, then each item aligned to a DWORD.
struct Template {
    alignas(DWORD) WORD words[512] = {};
    int used = 0;
    void Add(const void* data, int bytes) {
        CopyMemory(words + used, data, static_cast<SIZE_T>(bytes));
        used += (bytes + 1) / 2;
    }
    void Text(const wchar_t* text) { Add(text, (lstrlenW(text) + 1) * 2); }
    void Align() { used += used & 1; }
    void Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, WORD id, WORD atom,
              const wchar_t* text) {
        Align();
        const DLGITEMTEMPLATE item{WS_CHILD | WS_VISIBLE | style, exStyle, x, y, cx, cy, id};
        Add(&item, sizeof item);
        const WORD windowClass[] = {0xFFFF, atom};
        Add(windowClass, sizeof windowClass);
        Text(text);
        const WORD noData = 0;
        Add(&noData, sizeof noData);
    }
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            auto* answer = reinterpret_cast<wchar_t*>(GetWindowLongPtrW(dialog, DWLP_USER));
            answer[0] = L'\0';
            if (LOWORD(wParam) == IDOK) GetDlgItemTextW(dialog, kFieldId, answer, 64);
            EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    default:
        return FALSE;
    }
}

// The same boxes as a game that is never won: each answer gets the same message.
void Play(HWND window) {
    Template box;
    const DLGTEMPLATE frame{
        DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 4, 0, 0, 270, 70};
    box.Add(&frame, sizeof frame);
    const WORD noMenuNoClass[] = {0, 0};
    box.Add(noMenuNoClass, sizeof noMenuNoClass);
    box.Text(kTitle);
    const WORD points = 9;
    box.Add(&points, sizeof points);
    box.Text(L"MS Shell Dlg");
    box.Item(SS_LEFT | SS_NOPREFIX, 0, 8, 8, 190, 32, kPromptId, 0x0082, L"数字を入力してください");
    box.Item(ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8, 48, 254, 14, kFieldId, 0x0081, L"");
    box.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 206, 8, 56, 16, IDOK, 0x0080, L"OK");
    box.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 206, 28, 56, 16, IDCANCEL, 0x0080, L"キャンセル");
    wchar_t answer[64] = {};
    for (;;) {
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(box.words), window,
                                InputProc, reinterpret_cast<LPARAM>(answer));
        if (answer[0] == L'\0') return;
        MessageBoxW(window, L"入力数値は1～10までです", kTitle, MB_OK);
    }
}

#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case DM_GETDEFID:  // Enter clicks the focused button, as in Tenmoru
        return MAKELRESULT(GetDlgCtrlID(GetFocus()), DC_HASDEFID);
#ifndef YARDSTICK_WINDOW_ONLY
    case WM_COMMAND:
        if (LOWORD(wParam) == kStart && HIWORD(wParam) == BN_CLICKED) Play(window);
        return 0;
#endif
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const WNDCLASSEXW windowClass{sizeof windowClass,
                                  0,
                                  &WindowProc,
                                  0,
                                  0,
                                  instance,
                                  nullptr,
                                  LoadCursorW(nullptr, IDC_ARROW),
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                  nullptr,
                                  kClassName,
                                  nullptr};
    if (RegisterClassExW(&windowClass) == 0) return 1;
    const HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirectW(&metrics.lfMessageFont);

    RECT frame{0, 0, Pixels(2955), Pixels(1725)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const HWND window =
        CreateWindowExW(kExStyle, kClassName, kTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
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
