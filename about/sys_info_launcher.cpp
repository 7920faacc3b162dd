#include "about/sys_info_launcher.hpp"

#include <string>
#include <utility>

namespace tenmoru {

namespace {

// A registry path wrapped in one pair of double quotes names the text between them.
std::wstring WithoutEnclosingQuotes(std::wstring path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        return path.substr(1, path.size() - 2);
    }
    return path;
}

// A path that can name exactly one program file and be quoted safely on a command line: not
// empty, no zero character (which would cut it short at the system) and no double quote (which
// no file name holds and which would break the quoting).
bool IsStartablePath(std::wstring_view path) {
    return !path.empty() && path.find(L'\0') == std::wstring_view::npos && path.find(L'"') == std::wstring_view::npos;
}

}  // namespace

void SysInfoLauncher::StartSysInfo() {
    if (!TryStart()) {
        ui_.MsgBox(kSysInfoUnavailable);
    }
}

bool SysInfoLauncher::TryStart() {
    std::wstring toolPath;
    if (reader_.GetKeyValue(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, toolPath)) {
        // The full path of the program file, started as read; a missing file fails at the start.
        toolPath = WithoutEnclosingQuotes(std::move(toolPath));
    } else {
        if (!reader_.GetKeyValue(kHKeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, toolPath)) {
            return false;
        }
        toolPath = WithoutEnclosingQuotes(std::move(toolPath));
        toolPath += kSysInfoFileName;
        if (!IsStartablePath(toolPath) || !files_.FileExists(toolPath)) {
            return false;
        }
    }
    if (!IsStartablePath(toolPath)) {
        return false;
    }
    // The program file is named on its own, and the command line quotes it, so that a path with
    // spaces can never be read as a shorter program name followed by arguments.
    const std::wstring commandLine = L"\"" + toolPath + L"\"";
    return processes_.Start(toolPath, commandLine);
}

}  // namespace tenmoru
