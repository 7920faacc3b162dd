// The 32-bit Tenmoru.exe as it ships (TENMORU_SHIPPED_EXE), run as almost every player runs it: a
// 32-bit process on 64-bit Windows, driven from this 64-bit program. Where the machine's kernel runs
// no 32-bit code it runs under emulation, where each start of a 32-bit program takes a minute or
// two: so it is started once, and the one session goes through everything a player meets.
#include <gtest/gtest.h>

#include <cstdio>

#include "about/sys_info_launcher.hpp"
#include "designs.hpp"
#include "game/rules.hpp"
#include "game/texts.hpp"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::filesystem::path ShippedExe() {
    wchar_t path[MAX_PATH] = {};
    return std::wstring(path, ::GetEnvironmentVariableW(L"TENMORU_SHIPPED_EXE", path, MAX_PATH));
}

TEST(Shipped, TheWindowAGameToAHitTheRulesAndAboutWithThe64BitToolThenTheEnd) {
    // 64-bit Windows keeps the tool in its 64-bit system folder (this program's own) and names it in
    // the 64-bit registry alone; the 32-bit program sees neither as they are named.
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring named = L"C:\\Windows\\System32\\TenmoruInfo.exe";
    const auto text = [&](const std::wstring& value) { return static_cast<DWORD>(value.size() * 2 + 2); };
    const std::wstring key(tenmoru::kSysInfoPathKey);
    const e2e::Restore tool = e2e::CopyForTest(e2e::OwnFolder() / L"marker.exe",
                                               std::wstring(system) + L"\\TenmoruInfo.exe"),
                       view64 = e2e::SetRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), L"PATH", REG_SZ, named.c_str(),
                                                      text(named), KEY_WOW64_64KEY),
                       view32 = e2e::SetRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), L"PATH", REG_SZ, nullptr, 0,
                                                      KEY_WOW64_32KEY);
    e2e::RecordToolStarts();

    const auto started = Clock::now();
    const e2e::Session session(ShippedExe());
    std::printf("the 32-bit Tenmoru.exe showed its main window %.1f s after its start\n",
                std::chrono::duration<double>(Clock::now() - started).count());
    BOOL wow64 = FALSE;
    ASSERT_TRUE(::IsWow64Process(session.Process(), &wow64) && wow64) << "not a 32-bit process on 64-bit Windows";
    e2e::ExpectAtTwips(session.Main(), e2e::kMain, USER_DEFAULT_SCREEN_DPI);

    // A game by the keyboard alone: Enter on the start button, which has the focus, and 1, 2, ...
    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::PressKey(VK_RETURN);
    std::optional<e2e::Box> box = session.WaitForBox();
    bool hit = false;
    for (int guess = 1; guess <= 10 && !hit; ++guess) {
        ASSERT_TRUE(box && box->input) << "no input box for guess " << guess;
        const auto answer = session.Answer(*box, std::to_wstring(guess));
        ASSERT_TRUE(answer && !answer->input) << "no answer to " << guess;
        hit = answer->text == tenmoru::kHit;
        if (!hit) {
            EXPECT_EQ(answer->text, tenmoru::kTooSmall) << guess;
        }
        box = session.Close(answer->window);
    }
    EXPECT_TRUE(hit && !box) << "the game did not end with a hit";

    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::PressKey(VK_F1);
    const auto rules = session.WaitForBox();
    ASSERT_TRUE(rules && !rules->input) << "F1 showed no rules";
    EXPECT_EQ(rules->text, tenmoru::RulesMessage());
    EXPECT_FALSE(session.Close(rules->window).has_value());

    const HWND about = session.OpenAbout();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(e2e::BringToForeground(about));
    e2e::PressKey('S', VK_MENU);
    EXPECT_EQ(e2e::ToolStarted(e2e::ReactTimeout()), L"\"" + named + L"\"\nC:\\Windows\\System32")
        << "the tool of 64-bit Windows, started in its own folder";

    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::ClickAt(session.Control(tenmoru::Tenmoru::cmdend));
    EXPECT_TRUE(session.Ended(e2e::ReactTimeout())) << "the end button left the program running";
}

}  // namespace
