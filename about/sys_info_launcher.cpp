#include "about/sys_info_launcher.hpp"

#include <algorithm>
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

// A full path, from a drive's root ("C:\") or a share ("\\server\share"): a relative one would be
// looked for in the current folder, often Downloads, where anything may lie.
bool IsFullPath(std::wstring_view path) {
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') && path[1] == L':' &&
                       path[2] == L'\\';
    return drive || path.starts_with(L"\\\\");
}

// A path that can name exactly one program file and be quoted safely on a command line: a full
// path, no zero character (which would cut it short at the system) and no double quote (which no
// file name holds and which would break the quoting).
bool IsStartablePath(std::wstring_view path) {
    return IsFullPath(path) && path.find(L'\0') == std::wstring_view::npos &&
           path.find(L'"') == std::wstring_view::npos;
}

// Equal but for the case of ASCII letters, as the file system compares the system folder's name.
bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c | 0x20) : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

// The same file as 64-bit Windows names it for a 32-bit program: a path inside the system folder
// through the folder Sysnative beside it; empty for a path elsewhere.
std::wstring NativeAlias(std::wstring_view path, std::wstring_view systemFolder) {
    const std::size_t parent = systemFolder.find_last_of(L'\\');
    if (parent == std::wstring_view::npos || path.size() <= systemFolder.size() || path[systemFolder.size()] != L'\\' ||
        !SameIgnoringCase(path.substr(0, systemFolder.size()), systemFolder)) {
        return {};
    }
    return std::wstring(systemFolder.substr(0, parent)) + L"\\Sysnative" +
           std::wstring(path.substr(systemFolder.size()));
}

// The folder that holds the program file, which the tool runs in: the path up to its last
// backslash (and any doubled before it), a drive's root keeping its own ("C:\").
std::wstring FolderOf(std::wstring_view path) {
    std::size_t end = path.find_last_of(L'\\');
    while (end != std::wstring_view::npos && end > 0 && path[end - 1] == L'\\') --end;
    std::wstring folder(path.substr(0, end));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

}  // namespace

void SysInfoLauncher::StartSysInfo() {
    if (!TryStart()) {
        ui_.MsgBox(kSysInfoUnavailable);
    }
}

bool SysInfoLauncher::TryStart() {
    std::wstring toolPath;
    const bool named = ReadValue(kSysInfoPathKey, kSysInfoPathValue, toolPath);
    if (named) {
        // The full path of the program file, started as read; a missing file fails at the start.
        toolPath = WithoutEnclosingQuotes(std::move(toolPath));
    } else {
        if (!ReadValue(kSysInfoFolderKey, kSysInfoFolderValue, toolPath)) {
            return false;
        }
        toolPath = WithoutEnclosingQuotes(std::move(toolPath)) + std::wstring(kSysInfoFileName);
    }
    if (!IsStartablePath(toolPath)) {
        return false;
    }
    const std::wstring program = Reachable(toolPath);
    if (!named && !files_.FileExists(program)) {
        return false;  // the folder does not hold the tool
    }
    // The program file is named on its own, and the command line quotes its path, so that a path
    // with spaces can never be read as a shorter program name followed by arguments. The tool runs
    // in its own folder (named as the tool itself sees it), not in whatever folder the game was
    // started from.
    const std::wstring commandLine = L"\"" + toolPath + L"\"";
    return processes_.Start(program, commandLine, FolderOf(toolPath));
}

// A value in the program's view of the registry, else, under WOW64, in the 64-bit view, where
// 64-bit Windows keeps what its own setup wrote.
bool SysInfoLauncher::ReadValue(std::wstring_view key, std::wstring_view value, std::wstring& text) {
    return reader_.GetKeyValue(kHKeyLocalMachine, key, value, text) ||
           (view_.wow64 && reader_.GetKeyValue(kHKeyLocalMachine, key, value, text, kKeyWow64View64));
}

// The path, or under WOW64, where it names a file of the system folder that only the 64-bit system
// folder holds (as 64-bit Windows does with its own tools), the same file through Sysnative.
std::wstring SysInfoLauncher::Reachable(const std::wstring& path) const {
    if (!view_.wow64 || files_.FileExists(path)) return path;
    std::wstring native = NativeAlias(path, view_.systemFolder);
    return !native.empty() && files_.FileExists(native) ? native : path;
}

}  // namespace tenmoru
