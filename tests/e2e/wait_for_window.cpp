// wait_for_window CLASS [SECONDS]: waits until a top-level window of the class is shown and its
// program reads messages again with the window painted, then prints the window's rectangle on
// the desktop as "X Y WIDTH HEIGHT". Exit code 1 when no such window came in time.
// scripts/run.sh --screenshot uses it to know when and where to take the picture.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string_view>

#include "driver/wait.hpp"
#include "driver/windows.hpp"

namespace {

struct Search {
    std::wstring_view className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchShown(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (::IsWindowVisible(window) && driver::ClassName(window) == search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: wait_for_window CLASS [SECONDS]\n", stderr);
        return 2;
    }
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const auto timeout = std::chrono::seconds(argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 60);
    Search search{argv[1]};
    const bool shown = driver::WaitUntil(
        [&] {
            search.found = nullptr;
            ::EnumWindows(MatchShown, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    if (!shown || !driver::ThreadAnswers(search.found)) return 1;
    // Paint now, so that the picture taken next shows the whole window.
    ::RedrawWindow(search.found, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect{};
    ::GetWindowRect(search.found, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}
