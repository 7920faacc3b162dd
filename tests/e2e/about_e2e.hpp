#pragma once
// What the About dialog's end-to-end tests share: opening the dialog as a player does, and the
// registry values and files that the launcher tests set up and put back afterwards.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "driver/input.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
#include "tenmoru_session.hpp"

namespace about_e2e {

// Every About dialog window of the process, shown or hidden.
inline std::vector<HWND> AboutWindows(DWORD processId) {
    std::vector<HWND> found;
    for (HWND window : driver::TopLevelWindows(processId))
        if (driver::ClassName(window) == TENMORU_ABOUT_CLASS) found.push_back(window);
    return found;
}

// Clicks the main window's version label and waits for the dialog; nullptr when none came.
inline HWND OpenAbout(const e2e::TenmoruSession& session) {
    driver::ClickCenter(session.Control(IDC_LBLVER));
    HWND about = nullptr;
    driver::WaitUntil([&] { return (about = driver::FindShownWindow(session.ProcessId(), TENMORU_ABOUT_CLASS)); });
    return about;
}

// Waits until the control has the keyboard focus in its window's thread.
inline bool WaitForFocus(HWND control) {
    return driver::WaitUntil([&] { return driver::FocusedWindow(control) == control; });
}

// Brings the dialog to the front and waits until OK holds the focus there.
inline bool FocusOnOk(HWND about) {
    return driver::BringToForeground(about) && WaitForFocus(::GetDlgItem(about, IDC_CMDOK));
}

// One value under HKEY_LOCAL_MACHINE, set or removed for a test and put back as it was.
class ScopedMachineValue {
public:
    ScopedMachineValue(std::wstring keyPath, std::wstring valueName);
    ScopedMachineValue(const ScopedMachineValue&) = delete;
    ScopedMachineValue& operator=(const ScopedMachineValue&) = delete;
    ~ScopedMachineValue();

    // A REG_SZ value holding the text; an empty optional removes the value.
    bool Set(const std::optional<std::wstring>& text);

private:
    struct Saved {
        DWORD type;
        std::vector<BYTE> data;
    };
    std::wstring keyPath_;
    std::wstring valueName_;
    bool keyExisted_ = false;
    std::optional<Saved> saved_;
};

// A copy of the marker program at a path of the test's choice, removed again with its record and
// the folders made for it. The marker writes its command line into "<path>.started" when started.
class ScopedMarker {
public:
    explicit ScopedMarker(std::filesystem::path path);
    ScopedMarker(const ScopedMarker&) = delete;
    ScopedMarker& operator=(const ScopedMarker&) = delete;
    ~ScopedMarker();

    bool Placed() const { return placed_; }
    const std::filesystem::path& Path() const { return path_; }
    // The command line the copy was started with, once it was started within the timeout.
    std::optional<std::wstring> WaitForStart(std::chrono::milliseconds timeout) const;

private:
    std::filesystem::path path_;
    std::vector<std::filesystem::path> madeFolders_;
    bool placed_ = false;
};

}  // namespace about_e2e
