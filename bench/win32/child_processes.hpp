#pragma once
// The processes that a program has started, read from a snapshot of the system's process list.
#include <windows.h>

#include <vector>

namespace bench {

// IDs of the running processes whose parent is the given process.
[[nodiscard]] std::vector<DWORD> ChildProcesses(DWORD parentId);

// Ends the process with this ID and waits until it is gone.
void EndProcess(DWORD processId) noexcept;

}  // namespace bench
