#include "bench/win32/child_processes.hpp"

#include <tlhelp32.h>

#include "shell/win32/unique_handle.hpp"

namespace bench {

namespace {
constexpr DWORD kEndWaitMs = 5000;
}

std::vector<DWORD> ChildProcesses(DWORD parentId) {
    std::vector<DWORD> children;
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return children;
    const unique_handle snapshot{taken};
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == parentId) children.push_back(entry.th32ProcessID);
    }
    return children;
}

void EndProcess(DWORD processId) noexcept {
    const unique_handle process{OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId)};
    if (!process) return;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), kEndWaitMs);
}

}  // namespace bench
