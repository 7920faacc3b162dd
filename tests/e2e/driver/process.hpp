#pragma once
// A program started for a test. It is terminated when the owner goes, so no test leaves it behind.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "driver/owned.hpp"

namespace driver {

class Process {
public:
    // Starts the program with its own folder as the working folder; throws std::runtime_error.
    static Process Start(const std::filesystem::path& exe);

    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept = default;
    ~Process();

    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code once the process has ended within the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;
    // Ends the process if it still runs and waits until it is gone.
    void Terminate();

private:
    Process(OwnedHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
    OwnedHandle process_;
    DWORD id_ = 0;
};

// The folder of the running test program: the build folder, where Tenmoru.exe is too.
std::filesystem::path OwnFolder();

}  // namespace driver
