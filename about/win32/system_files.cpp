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

bool SystemProcessStarter::Start(std::wstring_view applicationName, std::wstring_view commandLine) {
    if (applicationName.empty() || HoldsZero(applicationName) || HoldsZero(commandLine)) {
        return false;
    }
    const std::wstring application(applicationName);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created)) {
        return false;
    }
    // Owned for a moment only: the program keeps no link to the tool.
    const unique_process_information started(created);
    return true;
}

}  // namespace tenmoru
