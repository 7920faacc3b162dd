// Leak counts: one Tenmoru process plays hundreds of rounds of each thing it can do, and what it
// holds (USER and GDI objects, kernel handles, windows, private memory) is read before and after.
// Each scenario is warmed up first, so that what is made once and kept (fonts, the input method's
// window, the About dialog's icons) is counted in "before". The figures are printed as a table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "about_e2e.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "game/rules.hpp"
#include "game/texts.hpp"
#include "resources/resource_ids.h"
#include "stress/message_driving.hpp"
#include "stress/process_resources.hpp"
#include "stress/program_texts.hpp"
#include "tenmoru_session.hpp"

namespace {

using namespace std::chrono_literals;
using about_e2e::ScopedMachineValue;
using about_e2e::ScopedMarker;
using e2e::Box;
using stress::Require;

const std::wstring kPathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring kFolderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
const std::wstring kMissingTool = L"C:\\Tenmoru Stress Missing\\MSINFO32.EXE";
const std::wstring kMarkerTool = L"C:\\Tenmoru Stress Marker\\MSINFO32.EXE";
const std::wstring kUnavailable(stress::kUnavailable);

// What the scenarios share: the session, the registry values and the marker.
struct Stage {
    e2e::TenmoruSession& session;
    ScopedMachineValue& pathValue;
    const ScopedMarker& marker;
    int childrenTerminated = 0;  // started processes still running after the grace time
};

Box RequireBox(const std::optional<Box>& box, Box::Kind kind, const char* what) {
    Require(box.has_value() && box->kind == kind, what);
    return *box;
}

// One whole game: a text that is no number, an out-of-range number, then halves (5.5, ...) that
// narrow the secret down, then the hit. Every answer is checked against the game's texts.
void PlayOneGame(Stage& stage) {
    const auto& session = stage.session;
    stress::PostClick(session.MainWindow(), IDC_CMDSTAT);
    Box input = RequireBox(session.WaitForBox(), Box::Kind::Input, "the start button showed no input box");
    struct FixedAnswer {
        const wchar_t* text;
        std::wstring_view reply;
    };
    for (const FixedAnswer& fixed : {FixedAnswer{L"abc", kNotANumber}, FixedAnswer{L"11", kOutOfRange}}) {
        const Box message = RequireBox(stress::AnswerFast(session, input, fixed.text), Box::Kind::Message, "no reply");
        Require(message.text == fixed.reply, "a wrong reply to a fixed answer");
        input = RequireBox(stress::CloseFast(session, message), Box::Kind::Input, "the game ended early");
    }
    int low = 1;
    int high = 10;
    while (low < high) {
        const int middle = (low + high) / 2;
        const Box message = RequireBox(stress::AnswerFast(session, input, std::to_wstring(middle) + L".5"),
                                       Box::Kind::Message, "no reply to a half");
        if (message.text == kTooLarge)
            high = middle;
        else if (message.text == kTooSmall)
            low = middle + 1;
        else
            Require(false, "a half got neither 大きい nor 小さい");
        input = RequireBox(stress::CloseFast(session, message), Box::Kind::Input, "the game ended after a half");
    }
    const Box hit = RequireBox(stress::AnswerFast(session, input, std::to_wstring(low)), Box::Kind::Message,
                               "no reply to the hit");
    Require(hit.text == kHit, "the secret found was not hit");
    Require(!stress::CloseFast(session, hit).has_value(), "a box came after the hit");
}

void ShowRulesOnce(Stage& stage) {
    stress::PostClick(stage.session.MainWindow(), IDC_LBLHELP);
    const Box rules = RequireBox(stage.session.WaitForBox(), Box::Kind::Message, "no rules message");
    Require(rules.text == RulesMessage(), "the rules message differs");
    Require(!stress::CloseFast(stage.session, rules).has_value(), "a box came after the rules");
}

HWND OpenAboutFast(const e2e::TenmoruSession& session) {
    stress::PostClick(session.MainWindow(), IDC_LBLVER);
    HWND about = nullptr;
    Require(driver::WaitUntil([&] { return (about = driver::FindShownWindow(session.ProcessId(), TENMORU_ABOUT_CLASS)); }),
            "the About dialog did not open");
    return about;
}

void CloseAboutFast(const e2e::TenmoruSession& session, HWND about) {
    stress::PostClick(about, IDC_CMDOK);
    Require(driver::WaitUntil([&] { return about_e2e::AboutWindows(session.ProcessId()).empty(); }),
            "the About dialog did not close");
}

void OpenAndCloseAbout(Stage& stage) { CloseAboutFast(stage.session, OpenAboutFast(stage.session)); }

// The first value names a missing file: the launcher answers with its message.
void LauncherFailure(Stage& stage) {
    Require(stage.pathValue.Set(kMissingTool), "the registry value could not be set");
    const HWND about = OpenAboutFast(stage.session);
    stress::PostClick(about, IDC_CMDSYSINFO);
    const Box message = RequireBox(stage.session.WaitForBox(), Box::Kind::Message, "no launcher message");
    Require(message.text == kUnavailable, "the launcher's message differs");
    Require(!stress::CloseFast(stage.session, message).has_value(), "a box came after the launcher's message");
    CloseAboutFast(stage.session, about);
}

// Ends every process the program started that still runs after a grace time; returns how many
// had to be terminated.
int EndChildren(DWORD parentId) {
    int terminated = 0;
    for (DWORD child : stress::ChildProcesses(parentId)) {
        const driver::OwnedHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, child));
        if (!process) continue;
        if (::WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
            ::TerminateProcess(process.get(), 1);
            ::WaitForSingleObject(process.get(), 5000);
            ++terminated;
        }
    }
    return terminated;
}

// The first value names the marker: the launcher starts it, and the test ends it.
void MarkerLaunch(Stage& stage) {
    Require(stage.pathValue.Set(kMarkerTool), "the registry value could not be set");
    std::error_code error;
    std::filesystem::remove(stage.marker.Path().wstring() + L".started", error);
    const HWND about = OpenAboutFast(stage.session);
    stress::PostClick(about, IDC_CMDSYSINFO);
    Require(stage.marker.WaitForStart(driver::kStartTimeout).has_value(), "the marker was not started");
    Require(driver::ThreadAnswers(about) && !stage.session.ShownBox().has_value(), "a box came after the start");
    stage.childrenTerminated += EndChildren(stage.session.ProcessId());
    Require(stress::ChildProcesses(stage.session.ProcessId()).empty(), "a started marker is still running");
    CloseAboutFast(stage.session, about);
}

struct Scenario {
    const char* name;
    int rounds;
    void (*once)(Stage&);
};

const Scenario kScenarios[] = {
    {"games of guesses", 200, PlayOneGame},
    {"About open and close", 100, OpenAndCloseAbout},
    {"rules messages", 100, ShowRulesOnce},
    {"launcher failures", 50, LauncherFailure},
    {"marker launches", 20, MarkerLaunch},
};

constexpr int kWarmUpRounds = 2;

// Growth allowed per figure over a whole scenario: a few objects that a system library may make
// once, late (a cache entry, a timer), but nothing that grows with the rounds.
constexpr long kCountAllowance = 3;
constexpr long kCommittedKiBAllowance = 1024;

// The figures once the program is idle in its main window.
stress::ResourceFigures SettledFigures(const e2e::TenmoruSession& session) {
    Require(driver::ThreadAnswers(session.MainWindow()), "Tenmoru does not answer");
    ::Sleep(200);  // lets the system's late clean-up (destroyed windows, ended children) run
    Require(driver::ThreadAnswers(session.MainWindow()), "Tenmoru does not answer");
    return stress::MeasureResources(session.ProcessId());
}

long Growth(std::size_t before, std::size_t after) {
    return static_cast<long>(after) - static_cast<long>(before);
}

TEST(ResourceCounts, NoGrowthOverHundredsOfRounds) {
    ScopedMachineValue pathValue(kPathKey, L"PATH");
    ScopedMachineValue folderValue(kFolderKey, L"MSINFO");
    ASSERT_TRUE(folderValue.Set(std::nullopt));
    const ScopedMarker marker(kMarkerTool);
    ASSERT_TRUE(marker.Placed());

    e2e::TenmoruSession session;
    Stage stage{session, pathValue, marker};
    std::vector<stress::ResourceRow> rows;
    const auto started = std::chrono::steady_clock::now();
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const int rounds = scenario.rounds;
        try {
            for (int round = 0; round < kWarmUpRounds; ++round) scenario.once(stage);
            stress::ResourceRow row{scenario.name, rounds, SettledFigures(session), {}};
            for (int round = 0; round < rounds; ++round) scenario.once(stage);
            row.after = SettledFigures(session);
            rows.push_back(row);
        } catch (const std::exception& failure) {
            FAIL() << "in the scenario: " << failure.what();
        }
        const auto& row = rows.back();
        EXPECT_LE(Growth(row.before.userObjects, row.after.userObjects), kCountAllowance);
        EXPECT_LE(Growth(row.before.gdiObjects, row.after.gdiObjects), kCountAllowance);
        EXPECT_LE(Growth(row.before.handleCount, row.after.handleCount), kCountAllowance);
        EXPECT_LE(Growth(row.before.handleEntries, row.after.handleEntries), kCountAllowance);
        EXPECT_LE(Growth(row.before.windows, row.after.windows), kCountAllowance);
        EXPECT_LE(Growth(row.before.threads, row.after.threads), kCountAllowance);
        EXPECT_LE(Growth(row.before.committedKiB, row.after.committedKiB), kCommittedKiBAllowance);
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
    std::printf("\nResource counts of Tenmoru.exe (before -> after each scenario, %d warm-up rounds first; "
                "driven by posted WM_COMMAND and WM_SETTEXT):\n%s",
                kWarmUpRounds, stress::FormatResourceTable(rows).c_str());
    std::printf("markers that the test had to terminate: %d; time: %lld s\n", stage.childrenTerminated,
                static_cast<long long>(seconds.count()));
    std::fflush(stdout);
}

}  // namespace
