// The system-information button against the real registry and real programs: the test writes the
// two values under HKEY_LOCAL_MACHINE, places copies of a marker program, presses the button and
// sees what was started or what the player was told. Everything is put back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "about_e2e.hpp"
#include "driver/input.hpp"
#include "driver/owned.hpp"
#include "driver/screenshot.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
#include "tenmoru_session.hpp"

namespace {

using namespace std::chrono_literals;
using about_e2e::ScopedMachineValue;
using about_e2e::ScopedMarker;

const std::wstring kUnavailable = L"\u73FE\u6642\u70B9\u3067\u306F\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831"
                                  L"\u3092\u4F7F\u7528\u3067\u304D\u307E\u305B\u3093";

// The marker stands where the tool would, in a folder whose name holds a space right after
// "C:\Program": started without quotes, Windows would try C:\Program.exe, the decoy, first.
const std::wstring kToolFolder = L"C:\\Program Files\\Tenmoru Marker";
const std::wstring kToolPath = kToolFolder + L"\\MSINFO32.EXE";
const std::wstring kDecoyPath = L"C:\\Program.exe";
const std::wstring kEmptyFolder = L"C:\\Program Files\\Tenmoru Empty";

enum class Outcome { ToolStarted, Message };

struct LauncherCase {
    const char* name;
    std::optional<std::wstring> pathValue;    // first lookup; nullopt: absent
    std::optional<std::wstring> folderValue;  // second lookup; nullopt: absent
    Outcome expected;
    std::wstring startedAs;  // the path the tool is started by, as the program writes it
};

const LauncherCase kCases[] = {
    {"FirstValueNamesTheToolInAFolderWithASpace", kToolPath, std::nullopt, Outcome::ToolStarted, kToolPath},
    {"FirstValueInQuotes", L"\"" + kToolPath + L"\"", std::nullopt, Outcome::ToolStarted, kToolPath},
    // The folder names the tool too: had the second key been read, the tool would have started.
    {"FirstValueNamesAMissingFileAndTheSecondKeyIsNotRead", L"C:\\Tenmoru Missing\\MSINFO32.EXE", kToolFolder,
     Outcome::Message, L""},
    {"FirstValueWithNoDataAndTheSecondKeyIsNotRead", L"", kToolFolder, Outcome::Message, L""},
    {"FolderLookup", std::nullopt, kToolFolder, Outcome::ToolStarted, kToolFolder + L"\\MSINFO32.EXE"},
    // The file name is appended unchanged: two backslashes in a row, which Windows accepts.
    {"FolderLookupWithAFinalBackslash", std::nullopt, kToolFolder + L"\\", Outcome::ToolStarted,
     kToolFolder + L"\\\\MSINFO32.EXE"},
    {"FolderWithoutTheFile", std::nullopt, kEmptyFolder, Outcome::Message, L""},
    {"FolderAsAWildcard", std::nullopt, L"C:\\Program Files\\Tenmoru M*", Outcome::Message, L""},
    {"BothValuesAbsent", std::nullopt, std::nullopt, Outcome::Message, L""},
};

class SystemInformationButton : public ::testing::TestWithParam<LauncherCase> {};

TEST_P(SystemInformationButton, StartsTheNamedProgramSafelyOrTellsThePlayer) {
    const LauncherCase& c = GetParam();
    ScopedMachineValue path(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    ScopedMachineValue folder(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    ASSERT_TRUE(path.Set(c.pathValue));
    ASSERT_TRUE(folder.Set(c.folderValue));
    const ScopedMarker tool(kToolPath);
    const ScopedMarker decoy(kDecoyPath);
    ASSERT_TRUE(tool.Placed() && decoy.Placed());
    std::error_code error;
    std::filesystem::create_directory(kEmptyFolder, error);

    e2e::TenmoruSession session;
    const HWND about = about_e2e::OpenAbout(session);
    ASSERT_NE(about, nullptr);
    driver::ClickCenter(::GetDlgItem(about, IDC_CMDSYSINFO));

    if (c.expected == Outcome::ToolStarted) {
        const std::optional<std::wstring> commandLine = tool.WaitForStart(driver::kReactTimeout);
        EXPECT_TRUE(commandLine.has_value()) << "the tool was not started";
        if (commandLine) {
            EXPECT_EQ(*commandLine, L"\"" + c.startedAs + L"\"") << "the program is named in quotes";
        }
        EXPECT_TRUE(driver::ThreadAnswers(about));
        EXPECT_FALSE(session.ShownBox().has_value()) << "no message when the tool starts";
    } else {
        const std::optional<e2e::Box> box = session.WaitForBox();
        ASSERT_TRUE(box.has_value()) << "no message";
        EXPECT_EQ(box->text, kUnavailable);
        EXPECT_FALSE(tool.WaitForStart(1s).has_value()) << "nothing may start";
        ASSERT_TRUE(driver::BringToForeground(box->window));
        driver::PressKey(VK_RETURN);
        EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindow(box->window); }));
        EXPECT_TRUE(::IsWindowVisible(about)) << "the dialog stays open";
    }
    EXPECT_FALSE(decoy.WaitForStart(0ms).has_value()) << "C:\\Program.exe must never start";
    std::filesystem::remove(kEmptyFolder, error);
}

// A shown top-level window of a process started after the test began, and that process's program.
struct StartedWindow {
    HWND window = nullptr;
    DWORD processId = 0;
    std::filesystem::path program;
};

struct Search {
    const std::vector<DWORD>* known;
    std::optional<StartedWindow> found;
};

BOOL CALLBACK TakeIfNew(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<Search*>(param);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (!::IsWindowVisible(window) ||
        std::find(state.known->begin(), state.known->end(), processId) != state.known->end())
        return TRUE;
    const driver::OwnedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t image[MAX_PATH]{};
    DWORD length = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image, &length)) return TRUE;
    state.found = StartedWindow{window, processId, std::filesystem::path(image)};
    return FALSE;
}

std::optional<StartedWindow> FindNewProgramWindow(const std::vector<DWORD>& knownProcesses) {
    Search search{&knownProcesses, std::nullopt};
    ::EnumWindows(TakeIfNew, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK AddProcess(HWND window, LPARAM param) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    reinterpret_cast<std::vector<DWORD>*>(param)->push_back(processId);
    return TRUE;
}

std::vector<DWORD> ProcessesWithWindows() {
    std::vector<DWORD> processes;
    ::EnumWindows(AddProcess, reinterpret_cast<LPARAM>(&processes));
    return processes;
}

// With the values the Wine prefix holds, as Windows setup writes them, the system's own tool
// starts: its window appears, from the program the registry names, and no message is shown.
TEST(SystemInformationButtonWithThePrefixValues, StartsTheSystemsOwnTool) {
    wchar_t tool[MAX_PATH]{};
    DWORD size = sizeof tool;
    ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH",
                             RRF_RT_REG_SZ, nullptr, tool, &size),
              ERROR_SUCCESS)
        << "the prefix names the system-information tool";
    ASSERT_NE(::GetFileAttributesW(tool), INVALID_FILE_ATTRIBUTES) << "and the tool is there";

    e2e::TenmoruSession session;
    const HWND about = about_e2e::OpenAbout(session);
    ASSERT_NE(about, nullptr);
    std::vector<DWORD> known = ProcessesWithWindows();
    known.push_back(session.ProcessId());
    driver::ClickCenter(::GetDlgItem(about, IDC_CMDSYSINFO));

    std::optional<StartedWindow> started;
    EXPECT_TRUE(driver::WaitUntil([&] { return (started = FindNewProgramWindow(known)).has_value(); }))
        << "no window of the tool";
    EXPECT_FALSE(session.ShownBox().has_value()) << "no message when the tool starts";
    EXPECT_TRUE(::IsWindowVisible(about));
    if (!started) return;
    EXPECT_EQ(_wcsicmp(started->program.filename().c_str(), L"msinfo32.exe"), 0) << started->program;
    driver::SaveScreenshot(started->window, L"about_system_information_tool");

    // The tool was started by this test: close it again and wait until it is gone.
    const driver::OwnedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, started->processId));
    ::PostMessageW(started->window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process && ::WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0) << "the tool did not close";
}

INSTANTIATE_TEST_SUITE_P(RegistryValues, SystemInformationButton, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
