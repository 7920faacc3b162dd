#pragma once
// Starting the system-information tool from the About dialog. The tool is found through two
// registry values: the full path of its program file, or else the folder that holds MSINFO32.EXE.
// Every failure ends in one message; nothing is remembered between calls.
#include <string>
#include <string_view>
#include <utility>

#include "about/registry_reader.hpp"
#include "runtime/ui.hpp"

namespace tenmoru {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when exactly this path names an existing file that is no folder. The path is never
    // taken as a pattern: '*' and '?' are ordinary (and invalid) characters in it.
    virtual bool FileExists(std::wstring_view path) const = 0;
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the program file applicationName with the given command line and current folder in a
    // normal window that takes the focus; does not wait for it. True when the program was started.
    virtual bool Start(std::wstring_view applicationName, std::wstring_view commandLine,
                       std::wstring_view currentFolder) = 0;
};

// How the system shows itself to the program. A 32-bit program on 64-bit Windows (under WOW64) is
// shown the 32-bit system folder where it names the system folder, and the 32-bit copies of much
// of HKEY_LOCAL_MACHINE\SOFTWARE; it reaches the 64-bit ones through the folder "Sysnative" beside
// the system folder and the registry's 64-bit view.
struct ProcessView {
    bool wow64 = false;
    std::wstring systemFolder;  // as the program names it: "C:\Windows\system32"
};

// Where the tool is looked up, in this order.
inline constexpr std::wstring_view kSysInfoPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::wstring_view kSysInfoPathValue = L"PATH";
inline constexpr std::wstring_view kSysInfoFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::wstring_view kSysInfoFolderValue = L"MSINFO";
// Appended to the folder unchanged, leading backslash included.
inline constexpr std::wstring_view kSysInfoFileName = L"\\MSINFO32.EXE";
// The one message for every failure; "ｼｽﾃﾑ" is half-width katakana.
inline constexpr std::wstring_view kSysInfoUnavailable = L"現時点ではｼｽﾃﾑ情報を使用できません";

class SysInfoLauncher {
public:
    SysInfoLauncher(RegistryReader& reader, const FileSystem& files, ProcessStarter& processes, Ui& ui,
                    ProcessView view)
        : reader_(reader), files_(files), processes_(processes), ui_(ui), view_(std::move(view)) {}

    void StartSysInfo();

private:
    bool TryStart();
    bool ReadValue(std::wstring_view key, std::wstring_view value, std::wstring& text);
    std::wstring Reachable(const std::wstring& path) const;

    RegistryReader& reader_;
    const FileSystem& files_;
    ProcessStarter& processes_;
    Ui& ui_;
    ProcessView view_;
};

}  // namespace tenmoru
