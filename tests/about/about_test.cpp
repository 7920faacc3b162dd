// The program the launcher starts for each registry, whatever kind of value names it, on 32-bit and
// 64-bit Windows; what only the real system shows (quoting, patterns, the registry) is played end to end.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "about/sys_info_launcher.hpp"

namespace {

using namespace tenmoru;

// Values by "<view>|<key>|<name>" (view "" the program's own, "64" the 64-bit one). Asked for write
// access too, a registry refuses a player without administrator rights: it expects read access
// alone. Its code page is Latin-1.
struct FakeRegistry final : Registry, AnsiCodePage {
    std::map<std::string, std::pair<std::uint32_t, std::string>> values;
    std::vector<std::string> keys;  // by handle - 1
    RegistryStatus OpenKey(RegistryKey, const std::string& key, std::uint32_t access, RegistryKey& opened) override {
        EXPECT_EQ(access & ~kKeyWow64View64, 1u) << "KEY_QUERY_VALUE alone";
        keys.push_back(((access & kKeyWow64View64) != 0 ? "64|" : "|") + key + "|");
        opened = keys.size();
        return 0;
    }
    RegistryStatus QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type, std::span<std::byte> data,
                              std::uint32_t& size) override {
        const auto found = values.find(keys.at(key - 1) + name);
        if (found == values.end()) return 2;  // ERROR_FILE_NOT_FOUND
        std::tie(type, size) = std::pair(found->second.first, static_cast<std::uint32_t>(found->second.second.size()));
        std::memcpy(data.data(), found->second.second.data(), size);
        return 0;
    }
    void CloseKey(RegistryKey) override {}
    std::string Encode(std::wstring_view text) const override { return {text.begin(), text.end()}; }
    std::wstring Decode(std::string_view bytes) const override { return {bytes.begin(), bytes.end()}; }
};

// Files by path; a start is logged as "<name> in <folder>; ", the name being what the command line
// quotes (with " by <program file>" where that is named otherwise), the message as "unavailable".
struct FakeSystem final : FileSystem, ProcessStarter, Ui {
    std::set<std::wstring> files;
    std::wstring log;
    bool FileExists(std::wstring_view path) const override { return files.contains(std::wstring(path)); }
    bool Start(std::wstring_view program, std::wstring_view commandLine, std::wstring_view folder) override {
        if (commandLine.size() < 2 || commandLine.front() != L'"' || commandLine.back() != L'"') return false;
        const std::wstring name(commandLine.substr(1, commandLine.size() - 2)), file(program);
        log += name + (name == file ? L"" : L" by " + file) + L" in " + std::wstring(folder) + L"; ";
        return files.contains(file);
    }
    void MsgBox(std::wstring_view prompt) override { log += prompt == kSysInfoUnavailable ? L"unavailable" : prompt; }
    std::wstring InputBox(std::wstring_view, std::wstring_view, std::wstring_view) override { return {}; }
};

TEST(SysInfoLauncher, StartsTheToolEachRegistryNamesInItsOwnFolder) {
    const std::string kPath = "|SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
    const std::string kFolder = "|SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO", k64 = "64";
    const struct {
        const char* name;
        std::map<std::string, std::pair<std::uint32_t, std::string>> values;
        std::set<std::wstring> files;
        bool wow64;
        std::wstring log;
    } cases[] = {
        // clang-format off
        {"path names the tool (others are stored without a final zero)", {{kPath, {1, std::string("C:\\T\\i.exe\0", 11)}}}, {L"C:\\T\\i.exe"}, false,
         L"C:\\T\\i.exe in C:\\T; "},
        {"path names a missing file: the folder is not read", {{kPath, {1, "C:\\G\\i.exe"}}, {kFolder, {1, "C:\\T"}}},
         {L"C:\\T\\MSINFO32.EXE"}, false, L"C:\\G\\i.exe in C:\\G; unavailable"},
        {"expandable or binary path: the folder is read, a drive's root",
         {{kPath, {2, "%windir%\\i.exe"}}, {k64 + kPath, {3, "C:\\T\\i.exe"}}, {kFolder, {1, "C:\\"}}},
         {L"C:\\\\MSINFO32.EXE", L"C:\\T\\i.exe"}, true, L"C:\\\\MSINFO32.EXE in C:\\; "},
        {"folder without the tool", {{kFolder, {1, "C:\\T"}}}, {}, false, L"unavailable"},
        {"relative path", {{kPath, {1, "i.exe"}}}, {L"i.exe"}, false, L"unavailable"},
        // 64-bit Windows keeps its own values in the 64-bit view and its tools in the 64-bit system
        // folder, which a 32-bit program reaches through Sysnative.
        {"path in the 64-bit view, tool in the 64-bit system folder",
         {{k64 + kPath, {1, "c:\\windows\\SYSTEM32\\i.exe"}}}, {L"C:\\Windows\\Sysnative\\i.exe"}, true,
         L"c:\\windows\\SYSTEM32\\i.exe by C:\\Windows\\Sysnative\\i.exe in c:\\windows\\SYSTEM32; "},
        {"folder in the 64-bit view", {{k64 + kFolder, {1, "C:\\Windows\\System32"}}},
         {L"C:\\Windows\\Sysnative\\MSINFO32.EXE"}, true,
         L"C:\\Windows\\System32\\MSINFO32.EXE by C:\\Windows\\Sysnative\\MSINFO32.EXE in C:\\Windows\\System32; "},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        registry.values = c.values;
        RegistryReader reader(registry, registry);
        FakeSystem system;
        system.files = c.files;
        SysInfoLauncher(reader, system, system, system, {c.wow64, L"C:\\Windows\\system32"}).StartSysInfo();
        EXPECT_EQ(system.log, c.log);
    }
}

}  // namespace
