// The benchmark's yardstick: the least program that shows the same main window as Tenmoru.exe.
// Same manifest (common controls 6, per-monitor DPI awareness), same static link, same window class
// style, frame, title and client size for the DPI, and the same four controls with their Japanese
// captions in the system's message font (showing kana loads a CJK font, which is most of the cost
// of a window like this under Wine), and nothing more: no icon, no handlers, no keyboard handling.
// Tenmoru's start-up time and memory are measured against this program's.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"TenmoruYardstick";
constexpr wchar_t kTitle[] = L"Tenmoru";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
// The main window's client area in twips (1440 to the inch).
constexpr int kClientWidthTwips = 2955;
constexpr int kClientHeightTwips = 1725;
constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

struct Control {
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    int left, top, width, height;  // twips
};

constexpr Control kControls[] = {
    {L"BUTTON", L"ちょうせん", BS_PUSHBUTTON | WS_TABSTOP, 840, 600, 1335, 375},
    {L"STATIC", L"つかいかた", SS_LEFT | SS_NOTIFY, 480, 120, 975, 255},
    {L"STATIC", L"バージョン", SS_LEFT | SS_NOTIFY, 1800, 120, 975, 255},
    {L"BUTTON", L"おわる", BS_PUSHBUTTON | WS_TABSTOP, 840, 1200, 1335, 375},
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) return 1;

    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    const HWND window = CreateWindowExW(kExStyle, kClassName, kTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                        instance, nullptr);
    if (window == nullptr) return 1;

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);  // lives as long as the process
    for (const Control& c : kControls) {
        const HWND control = CreateWindowExW(0, c.windowClass, c.caption, WS_CHILD | WS_VISIBLE | c.style,
                                             TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi),
                                             TwipsToPixels(c.width, dpi), TwipsToPixels(c.height, dpi), window,
                                             nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
