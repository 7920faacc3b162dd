#include "about/win32/system_files.hpp"

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win32/handles.hpp"

namespace tenmoru {

namespace {

// A text that the system reads up to its first zero cannot name the same file as the whole text.
bool HoldsZero(std::wstring_view text) { return text.find(L'\0') != std::wstring_view::npos; }

}  // namespace

bool SystemFileSystem::FileExists(std::wstring_view path) const {
    if (path.empty() || HoldsZero(path)) {
        return false;
    }
    // GetFileAttributesW looks up the one name it is given; '*' and '?' match nothing.
    const DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SystemProcessStarter::Start(std::wstring_view applicationName, std::wstring_view commandLine,
                                 std::wstring_view currentFolder) {
    if (applicationName.empty() || HoldsZero(applicationName) || HoldsZero(commandLine) || HoldsZero(currentFolder)) {
        return false;
    }
    const std::wstring application(applicationName), folder(currentFolder);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &created)) {
        return false;
    }
    // Owned for a moment only: the program keeps no link to the tool.
    const unique_process_information started(created);
    return true;
}

ProcessView SystemProcessView() {
    ProcessView view;
    BOOL wow64 = FALSE;
    view.wow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) view.systemFolder.assign(folder, length);
    return view;
}

}  // namespace tenmoru
