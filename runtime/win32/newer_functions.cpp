#include "runtime/win32/newer_functions.hpp"

#include "runtime/win32/handles.hpp"
#include "runtime/win32/system_library.hpp"

namespace tenmoru {

namespace {

// With the environment variable TENMORU_WITHOUT_NEWER_FUNCTIONS set, every lookup reports the
// function missing: the tests run the fallbacks so on systems that have every function.
bool Withheld() noexcept {
    static const bool withheld = GetEnvironmentVariableW(L"TENMORU_WITHOUT_NEWER_FUNCTIONS", nullptr, 0) != 0;
    return withheld;
}

template <class Function>
Function* Lookup(HMODULE module, const char* name) noexcept {
    if (module == nullptr || Withheld()) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE User32() noexcept { return GetModuleHandleW(L"user32.dll"); }
HMODULE Kernel32() noexcept { return GetModuleHandleW(L"kernel32.dll"); }

// Loaded at the first use, for the program's life.
HMODULE Shcore() noexcept {
    static const HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
    return shcore;
}

UINT SystemDpi() noexcept {
    const unique_window_dc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND window) noexcept {
    static auto* const forWindow = Lookup<UINT WINAPI(HWND)>(User32(), "GetDpiForWindow");
    if (forWindow != nullptr) {
        const UINT dpi = forWindow(window);
        return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    }
    static auto* const forMonitor = Lookup<HRESULT WINAPI(HMONITOR, int, UINT*, UINT*)>(Shcore(), "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT dpiX = 0, dpiY = 0;
    if (forMonitor != nullptr &&
        SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &dpiX, &dpiY))) {
        return dpiX;
    }
    return SystemDpi();
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    static auto* const adjustForDpi =
        Lookup<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(User32(), "AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

bool MessageFont(LOGFONTW& font, UINT dpi) noexcept {
    static auto* const forDpi =
        Lookup<BOOL WINAPI(UINT, UINT, void*, UINT, UINT)>(User32(), "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        font = metrics.lfMessageFont;
        return true;
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return true;
}

FILETIME PreciseSystemTime() noexcept {
    static auto* const precise = Lookup<void WINAPI(FILETIME*)>(Kernel32(), "GetSystemTimePreciseAsFileTime");
    FILETIME now{};
    if (precise != nullptr)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return now;
}

void DisableDialogDpiScaling(HWND dialog) noexcept {
    static auto* const setBehavior = Lookup<BOOL WINAPI(HWND, int, int)>(User32(), "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (setBehavior != nullptr) setBehavior(dialog, kDisableAll, kDisableAll);
}

void RestrictDllSearchToSystemFolder() noexcept {
    auto* const setDefault = Lookup<BOOL WINAPI(DWORD)>(Kernel32(), "SetDefaultDllDirectories");
    constexpr DWORD kSystemFolderOnly = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (setDefault == nullptr || !setDefault(kSystemFolderOnly)) SetDllDirectoryW(L"");
}

}  // namespace tenmoru
