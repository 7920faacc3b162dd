#pragma once
// A program started by the benchmark. Whatever happens, it does not outlive its owner: the
// destructor ends it if it still runs.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "shell/win32/unique_handle.hpp"

namespace bench {

class LaunchedProgram {
public:
    // Starts the program in its own folder; nothing when CreateProcessW fails.
    [[nodiscard]] static std::optional<LaunchedProgram> Start(const std::wstring& exe);

    LaunchedProgram(LaunchedProgram&&) noexcept = default;
    LaunchedProgram& operator=(LaunchedProgram&&) noexcept = default;
    ~LaunchedProgram();

    [[nodiscard]] DWORD Id() const noexcept { return info_.processId; }
    [[nodiscard]] HANDLE Process() const noexcept { return info_.process.get(); }
    [[nodiscard]] bool Running() const noexcept;

    // The process's first shown top-level window of the class; nullptr after the timeout.
    [[nodiscard]] HWND WaitForMainWindow(std::wstring_view className, DWORD timeoutMs) const;

    // The most memory the process has had in its working set so far, in bytes.
    [[nodiscard]] std::optional<double> PeakWorkingSetBytes() const;

    // Asks the window to close and waits for the process to end; ends it by force after the timeout.
    // True when it ended by itself.
    bool Close(HWND mainWindow, DWORD timeoutMs);

private:
    LaunchedProgram() = default;
    void Terminate() noexcept;

    unique_process_information info_;
};

}  // namespace bench
