#include "bench/win32/about_bench.hpp"

#include <algorithm>
#include <vector>

#include "bench/win32/child_processes.hpp"
#include "bench/win32/stopwatch.hpp"
#include "resources/resource_ids.h"

namespace bench {

namespace {

HWND OpenAboutDialog(const TenmoruSession& session) {
    Click(GetDlgItem(session.MainWindow(), IDC_LBLVER));
    return session.WaitForWindow(HasClass(TENMORU_ABOUT_CLASS));
}

bool CloseAboutDialog(const TenmoruSession& session, HWND dialog) {
    PressDialogButton(dialog, IDC_CMDOK);
    return session.WaitUntilClosedAndIdle(dialog);
}

}  // namespace

Series MeasureAboutOpening(const TenmoruSession& session, std::size_t count) {
    Series series;
    for (std::size_t i = 0; i < count; ++i) {
        const Stopwatch clock;
        const HWND dialog = OpenAboutDialog(session);
        const double elapsed = clock.ElapsedMs();
        if (dialog == nullptr) {
            series.failure = L"no About dialog after a click on the version label";
            break;
        }
        series.samples.push_back(elapsed);
        if (!CloseAboutDialog(session, dialog)) {
            series.failure = L"the About dialog did not close on OK";
            break;
        }
    }
    return series;
}

Series MeasureSysInfoStart(const std::wstring& exe, std::size_t count) {
    Series series;
    std::optional<TenmoruSession> session = TenmoruSession::Open(exe, series.failure);
    if (!session) return series;
    const HWND dialog = OpenAboutDialog(*session);
    if (dialog == nullptr) {
        series.failure = L"no About dialog after a click on the version label";
        return series;
    }
    const HWND button = GetDlgItem(dialog, IDC_CMDSYSINFO);

    // The tools started are ended together after the last click: under Wine, ending one straight
    // after its start made the next click answer that the tool is unavailable.
    std::vector<DWORD> tools;
    for (std::size_t i = 0; i < count && series.failure.empty(); ++i) {
        const std::vector<DWORD> before = ChildProcesses(session->Id());
        const Stopwatch clock;
        Click(button);
        DWORD started = 0;
        WaitUntil(
            [&] {
                for (const DWORD child : ChildProcesses(session->Id())) {
                    if (std::find(before.begin(), before.end(), child) == before.end()) started = child;
                }
                if (started != 0) return true;
                if (const HWND message = FindShownWindow(session->Id(), IsMessageBox)) {
                    series.failure = L"Tenmoru answered: " + MessageText(message);
                    PressDialogButton(message, IDOK);
                }
                return !series.failure.empty();
            },
            kReactTimeoutMs);
        const double elapsed = clock.ElapsedMs();
        if (started == 0) {
            if (series.failure.empty()) series.failure = L"no process started after a click on the button";
            break;
        }
        series.samples.push_back(elapsed);
        tools.push_back(started);
    }
    for (const DWORD tool : tools) EndProcess(tool);
    if (IsWindow(dialog) && series.failure.empty()) CloseAboutDialog(*session, dialog);
    return series;
}

}  // namespace bench
