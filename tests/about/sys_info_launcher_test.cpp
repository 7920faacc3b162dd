// The system-information launcher against scripted lookups, file system and process start:
// which lookups ran, what was tested for existence, what was started and what the player saw.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/sys_info_launcher.hpp"
#include "fakes/scripted_ui.hpp"

namespace {

// The message, spelled out code point by code point: "ｼｽﾃﾑ" in half-width katakana.
const std::wstring kUnavailable = L"\u73FE\u6642\u70B9\u3067\u306F\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831"
                                  L"\u3092\u4F7F\u7528\u3067\u304D\u307E\u305B\u3093";

const std::wstring kFirstKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring kSecondKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

struct Lookup {
    bool found;
    std::wstring text;
};

class FakeReader final : public KeyValueReader {
public:
    std::optional<Lookup> first;   // nullopt: the value is missing
    std::optional<Lookup> second;
    std::vector<std::wstring> lookups;  // "key|value" of every read, in order

    bool GetKeyValue(RegistryKey KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef,
                     std::wstring& KeyVal) override {
        lookups.push_back(std::wstring(KeyName) + L"|" + std::wstring(SubKeyRef));
        EXPECT_EQ(KeyRoot, kHKeyLocalMachine);
        EXPECT_TRUE(KeyVal.empty()) << "each lookup starts from the empty text";
        const std::optional<Lookup>* answer = nullptr;
        if (KeyName == kFirstKey && SubKeyRef == L"PATH") {
            answer = &first;
        } else if (KeyName == kSecondKey && SubKeyRef == L"MSINFO") {
            answer = &second;
        }
        if (answer == nullptr || !answer->has_value() || !(*answer)->found) {
            KeyVal.clear();
            return false;
        }
        KeyVal = (*answer)->text;
        return true;
    }
};

class FakeFiles final : public FileSystem {
public:
    std::set<std::wstring> files;
    mutable std::vector<std::wstring> checks;

    bool FileExists(std::wstring_view path) const override {
        checks.emplace_back(path);
        return files.contains(std::wstring(path));
    }
};

class FakeProcesses final : public ProcessStarter {
public:
    std::set<std::wstring> programs;  // files that start
    std::vector<std::pair<std::wstring, std::wstring>> attempts;
    std::vector<std::wstring> started;

    bool Start(std::wstring_view applicationName, std::wstring_view commandLine) override {
        attempts.emplace_back(applicationName, commandLine);
        if (!programs.contains(std::wstring(applicationName))) {
            return false;
        }
        started.emplace_back(applicationName);
        return true;
    }
};

const std::wstring kFirstLookup = kFirstKey + L"|PATH";
const std::wstring kSecondLookup = kSecondKey + L"|MSINFO";
const std::vector<std::wstring> kFirstOnly = {kFirstLookup};
const std::vector<std::wstring> kBoth = {kFirstLookup, kSecondLookup};

struct LauncherCase {
    const char* name;
    std::optional<Lookup> first;
    std::optional<Lookup> second;
    std::set<std::wstring> files;
    std::set<std::wstring> programs;
    std::vector<std::wstring> expectedLookups;
    std::vector<std::wstring> expectedChecks;
    std::vector<std::pair<std::wstring, std::wstring>> expectedAttempts;
    bool expectMessage;
};

const std::wstring kTool = L"C:\\Windows\\system32\\msinfo32.exe";
const std::wstring kSpaced = L"C:\\Program Files\\Common Files\\MSINFO32.EXE";

const std::vector<LauncherCase> kCases = {
    {"first value names an existing program", Lookup{true, kTool}, Lookup{true, L"C:\\Other"}, {}, {kTool},
     kFirstOnly, {}, {{kTool, L"\"" + kTool + L"\""}}, false},
    {"first value names a missing file", Lookup{true, L"C:\\gone\\msinfo32.exe"}, Lookup{true, L"C:\\Tools"},
     {L"C:\\Tools\\MSINFO32.EXE"}, {L"C:\\Tools\\MSINFO32.EXE"}, kFirstOnly, {},
     {{L"C:\\gone\\msinfo32.exe", L"\"C:\\gone\\msinfo32.exe\""}}, true},
    {"first value with no data", Lookup{true, L""}, Lookup{true, L"C:\\Tools"}, {L"C:\\Tools\\MSINFO32.EXE"},
     {L"C:\\Tools\\MSINFO32.EXE"}, kFirstOnly, {}, {}, true},
    {"first missing, folder holds the file", std::nullopt, Lookup{true, L"C:\\Tools"},
     {L"C:\\Tools\\MSINFO32.EXE"}, {L"C:\\Tools\\MSINFO32.EXE"}, kBoth, {L"C:\\Tools\\MSINFO32.EXE"},
     {{L"C:\\Tools\\MSINFO32.EXE", L"\"C:\\Tools\\MSINFO32.EXE\""}}, false},
    {"first read fails, folder holds the file", Lookup{false, L""}, Lookup{true, L"C:\\Tools"},
     {L"C:\\Tools\\MSINFO32.EXE"}, {L"C:\\Tools\\MSINFO32.EXE"}, kBoth, {L"C:\\Tools\\MSINFO32.EXE"},
     {{L"C:\\Tools\\MSINFO32.EXE", L"\"C:\\Tools\\MSINFO32.EXE\""}}, false},
    {"folder with a final backslash gives two in a row", std::nullopt, Lookup{true, L"C:\\Tools\\"},
     {L"C:\\Tools\\\\MSINFO32.EXE"}, {L"C:\\Tools\\\\MSINFO32.EXE"}, kBoth, {L"C:\\Tools\\\\MSINFO32.EXE"},
     {{L"C:\\Tools\\\\MSINFO32.EXE", L"\"C:\\Tools\\\\MSINFO32.EXE\""}}, false},
    {"folder without the file", std::nullopt, Lookup{true, L"C:\\Empty"}, {}, {L"C:\\Empty\\MSINFO32.EXE"},
     kBoth, {L"C:\\Empty\\MSINFO32.EXE"}, {}, true},
    {"both values missing", std::nullopt, std::nullopt, {}, {}, kBoth, {}, {}, true},
    {"folder found but the program does not start", std::nullopt, Lookup{true, L"C:\\Tools"},
     {L"C:\\Tools\\MSINFO32.EXE"}, {}, kBoth, {L"C:\\Tools\\MSINFO32.EXE"},
     {{L"C:\\Tools\\MSINFO32.EXE", L"\"C:\\Tools\\MSINFO32.EXE\""}}, true},
    {"path with spaces is named alone and quoted", Lookup{true, kSpaced}, std::nullopt, {}, {kSpaced}, kFirstOnly,
     {}, {{kSpaced, L"\"" + kSpaced + L"\""}}, false},
    {"quoted first value is taken without its quotes", Lookup{true, L"\"" + kSpaced + L"\""}, std::nullopt, {},
     {kSpaced}, kFirstOnly, {}, {{kSpaced, L"\"" + kSpaced + L"\""}}, false},
    {"quoted folder is taken without its quotes", std::nullopt,
     Lookup{true, L"\"C:\\Program Files\\Common Files\""}, {kSpaced}, {kSpaced}, kBoth, {kSpaced},
     {{kSpaced, L"\"" + kSpaced + L"\""}}, false},
    {"a pair of quotes alone is an empty path", Lookup{true, L"\"\""}, std::nullopt, {}, {}, kFirstOnly, {}, {},
     true},
    {"a lone quote cannot be a path", Lookup{true, L"\""}, std::nullopt, {}, {L"\""}, kFirstOnly, {}, {}, true},
    {"a quote inside the path cannot be quoted", Lookup{true, L"C:\\a\" b.exe"}, std::nullopt, {},
     {L"C:\\a\" b.exe"}, kFirstOnly, {}, {}, true},
    {"zero character in the first value", Lookup{true, std::wstring(L"C:\\x.exe\0C:\\evil.exe", 20)},
     std::nullopt, {}, {L"C:\\x.exe"}, kFirstOnly, {}, {}, true},
    {"zero character in the folder", std::nullopt, Lookup{true, std::wstring(L"C:\\Tools\0X", 10)},
     {L"C:\\Tools"}, {L"C:\\Tools"}, kBoth, {}, {}, true},
    {"folder text with a wildcard is tested literally", std::nullopt, Lookup{true, L"C:\\*"},
     {L"C:\\Tools\\MSINFO32.EXE"}, {L"C:\\Tools\\MSINFO32.EXE"}, kBoth, {L"C:\\*\\MSINFO32.EXE"}, {}, true},
};

TEST(SysInfoLauncherTest, FindsAndStartsTheToolOrSaysItIsUnavailable) {
    for (const LauncherCase& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeReader reader;
        reader.first = c.first;
        reader.second = c.second;
        FakeFiles files;
        files.files = c.files;
        FakeProcesses processes;
        processes.programs = c.programs;
        ScriptedUi ui;

        SysInfoLauncher(reader, files, processes, ui).StartSysInfo();

        EXPECT_EQ(reader.lookups, c.expectedLookups);
        EXPECT_EQ(files.checks, c.expectedChecks);
        EXPECT_EQ(processes.attempts, c.expectedAttempts);
        EXPECT_EQ(ui.shown(), c.expectMessage ? std::vector<std::wstring>{kUnavailable}
                                               : std::vector<std::wstring>{});
        // Either something started or the player was told; never both, never neither.
        EXPECT_NE(processes.started.empty(), ui.shown().empty());
    }
}

TEST(SysInfoLauncherTest, EveryClickRepeatsTheWholeSequence) {
    FakeReader reader;
    reader.second = Lookup{true, L"C:\\Empty"};
    FakeFiles files;
    FakeProcesses processes;
    ScriptedUi ui;
    SysInfoLauncher launcher(reader, files, processes, ui);

    for (int click = 1; click <= 3; ++click) {
        SCOPED_TRACE(click);
        launcher.StartSysInfo();
        EXPECT_EQ(reader.lookups.size(), 2u * static_cast<std::size_t>(click));
        EXPECT_EQ(files.checks.size(), static_cast<std::size_t>(click));
        EXPECT_EQ(ui.shown().size(), static_cast<std::size_t>(click));
    }
    EXPECT_TRUE(processes.attempts.empty());
}

TEST(SysInfoLauncherTest, MessageTextIsExact) {
    EXPECT_EQ(std::wstring(kSysInfoUnavailable), kUnavailable);
    EXPECT_EQ(std::wstring(kSysInfoFileName), L"\\MSINFO32.EXE");
}

}  // namespace
