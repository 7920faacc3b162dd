#include "bench/win32/launched_program.hpp"

#include <psapi.h>

#include <filesystem>

#include "bench/win32/process_windows.hpp"

namespace bench {

namespace {
constexpr DWORD kTerminateWaitMs = 5000;
}

std::optional<LaunchedProgram> LaunchedProgram::Start(const std::wstring& exe) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = L"\"" + exe + L"\"";
    const std::wstring folder = std::filesystem::path{exe}.parent_path().wstring();

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &created)) {
        return std::nullopt;
    }
    LaunchedProgram program;
    program.info_.adopt(created);
    return program;
}

LaunchedProgram::~LaunchedProgram() {
    if (Running()) Terminate();
}

bool LaunchedProgram::Running() const noexcept {
    return info_.process && WaitForSingleObject(info_.process.get(), 0) == WAIT_TIMEOUT;
}

HWND LaunchedProgram::WaitForMainWindow(std::wstring_view className, DWORD timeoutMs) const {
    return WaitForShownWindow(Process(), Id(), HasClass(className), timeoutMs);
}

std::optional<double> LaunchedProgram::PeakWorkingSetBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(Process(), &counters, sizeof counters) || counters.PeakWorkingSetSize == 0) {
        return std::nullopt;
    }
    return static_cast<double>(counters.PeakWorkingSetSize);
}

bool LaunchedProgram::Close(HWND mainWindow, DWORD timeoutMs) {
    if (!Running()) return true;
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(Process(), timeoutMs) == WAIT_OBJECT_0) return true;
    Terminate();
    return false;
}

void LaunchedProgram::Terminate() noexcept {
    TerminateProcess(Process(), 1);
    WaitForSingleObject(Process(), kTerminateWaitMs);
}

}  // namespace bench
