#include "runtime/win32/newer_functions.hpp"

#include <string_view>

#include "runtime/win32/handles.hpp"
#include "runtime/win32/system_library.hpp"

namespace tenmoru {

namespace {

// The Windows versions that brought the functions and messages below, oldest first.
enum class Since { Windows8, Windows81, Windows10v1607, Windows10v1703, Everything };

// The system the program takes itself to run on. The tests set TENMORU_WITHOUT_NEWER_FUNCTIONS to
// run the fallbacks on a system that has everything: "7", "8.1" or "1607" withholds exactly what
// that version lacks (by each function's documented minimum), "1" everything newer than Windows 7.
Since SystemLevel() noexcept {
    static const Since level = [] {
        wchar_t value[8] = {};
        const DWORD length = GetEnvironmentVariableW(L"TENMORU_WITHOUT_NEWER_FUNCTIONS", value, 8);
        if (length == 0 || length >= 8) return length == 0 ? Since::Everything : Since::Windows8;
        const std::wstring_view version(value, length);
        if (version == L"8.1") return Since::Windows10v1607;  // has everything before 1607
        if (version == L"1607") return Since::Windows10v1703;
        return Since::Windows8;  // "7", "1": nothing newer than Windows 7
    }();
    return level;
}

// Whether the system has what came with the version: below the level, everything.
bool Has(Since version) noexcept { return version < SystemLevel(); }

template <class Function>
Function* Lookup(HMODULE module, const char* name, Since version) noexcept {
    return Has(version) ? Procedure<Function>(module, name) : nullptr;
}

HMODULE User32() noexcept { return GetModuleHandleW(L"user32.dll"); }
HMODULE Kernel32() noexcept { return GetModuleHandleW(L"kernel32.dll"); }

// Loaded at the first use, for the program's life.
HMODULE Shcore() noexcept {
    static const HMODULE shcore = Has(Since::Windows81) ? LoadSystemLibrary(L"shcore.dll") : nullptr;
    return shcore;
}

UINT SystemDpi() noexcept {
    const unique_window_dc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND window) noexcept {
    static auto* const forWindow = Lookup<UINT WINAPI(HWND)>(User32(), "GetDpiForWindow", Since::Windows10v1607);
    if (forWindow != nullptr) {
        const UINT dpi = forWindow(window);
        return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    }
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

UINT MonitorDpi(HMONITOR monitor) noexcept {
    static auto* const forMonitor =
        Lookup<HRESULT WINAPI(HMONITOR, int, UINT*, UINT*)>(Shcore(), "GetDpiForMonitor", Since::Windows81);
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT dpiX = 0, dpiY = 0;
    if (forMonitor != nullptr && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY))) return dpiX;
    return SystemDpi();
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    static auto* const adjustForDpi = Lookup<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(
        User32(), "AdjustWindowRectExForDpi", Since::Windows10v1607);
    RECT frame{0, 0, client.cx, client.cy};
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

bool MessageFont(LOGFONTW& font, UINT dpi) noexcept {
    static auto* const forDpi = Lookup<BOOL WINAPI(UINT, UINT, void*, UINT, UINT)>(
        User32(), "SystemParametersInfoForDpi", Since::Windows10v1607);
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
    static auto* const precise =
        Lookup<void WINAPI(FILETIME*)>(Kernel32(), "GetSystemTimePreciseAsFileTime", Since::Windows8);
    FILETIME now{};
    if (precise != nullptr)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return now;
}

void DisableDialogDpiScaling(HWND dialog) noexcept {
    static auto* const setBehavior =
        Lookup<BOOL WINAPI(HWND, int, int)>(User32(), "SetDialogDpiChangeBehavior", Since::Windows10v1703);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (setBehavior != nullptr) setBehavior(dialog, kDisableAll, kDisableAll);
}

bool SystemChangesWindowDpi() noexcept { return Has(Since::Windows81); }
bool SystemAsksForDpiScaledSize() noexcept { return Has(Since::Windows10v1703); }

bool FrameScalesOnRequest() noexcept {
    static const bool onRequest = [] {
        auto* const context = Lookup<HANDLE WINAPI()>(User32(), "GetThreadDpiAwarenessContext", Since::Windows10v1607);
        auto* const awareness =
            Lookup<int WINAPI(HANDLE)>(User32(), "GetAwarenessFromDpiAwarenessContext", Since::Windows10v1607);
        auto* const same =
            Lookup<BOOL WINAPI(HANDLE, HANDLE)>(User32(), "AreDpiAwarenessContextsEqual", Since::Windows10v1607);
        if (context == nullptr || awareness == nullptr || same == nullptr) return false;
        constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
        const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));  // ..._PER_MONITOR_AWARE_V2
        const HANDLE current = context();
        // Before Windows 10 1703 the manifest's PerMonitorV2 is unknown and the program runs per-monitor (v1).
        return awareness(current) == kPerMonitorAware && !(Has(Since::Windows10v1703) && same(current, perMonitorV2));
    }();
    return onRequest;
}

void ScaleFrameWithDpi(HWND window) noexcept {
    static auto* const enable = Lookup<BOOL WINAPI(HWND)>(User32(), "EnableNonClientDpiScaling", Since::Windows10v1607);
    if (enable != nullptr && FrameScalesOnRequest()) enable(window);
}

void RestrictDllSearchToSystemFolder() noexcept {
    LimitDllSearch(Lookup<BOOL WINAPI(DWORD)>(Kernel32(), "SetDefaultDllDirectories", Since::Windows8));
}

}  // namespace tenmoru
