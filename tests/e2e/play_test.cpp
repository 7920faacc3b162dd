// The main window as a player plays it, all in one session, so that it alone can run the 32-bit program as it
// ships where each start is costly (emulated): a game through the real boxes, the rules, the tool, the end.
#include <gtest/gtest.h>

#include <cstdio>

#include "about/sys_info_launcher.hpp"
#include "designs.hpp"
#include "game/texts.hpp"
#include "runtime/win32/input_box.hpp"

namespace {

using namespace std::chrono_literals;
using e2e::Session;

// While a box is open, neither the main window nor the About dialog can start a handler.
void ExpectOnlyTheBoxEnabled(const e2e::Box& box, const Session& session, HWND about) {
    EXPECT_TRUE(::IsWindowEnabled(box.window) && !::IsWindowEnabled(session.Main()) && !::IsWindowEnabled(about))
        << "windows left enabled under " << testing::PrintToString(box.text);
}

TEST(Player, AGameToAHitTheRulesWithOkAloneTheToolOf64BitWindowsAndTheEndInOneSession) {
    // 64-bit Windows keeps the tool in its 64-bit system folder and names it in the 64-bit registry
    // alone, both hidden from a 32-bit program (this test is one where it has Sysnative).
    wchar_t name[MAX_PATH] = {};
    const std::wstring system(name, ::GetSystemDirectoryW(name, MAX_PATH)), tool = system + L"\\TenmoruInfo.exe";
    const std::wstring native = system.substr(0, system.rfind(L'\\')) + L"\\Sysnative";  // only under WOW64
    const e2e::Restore copied =
                           e2e::CopyForTest(e2e::OwnFolder() / L"marker.exe",
                                            (std::filesystem::exists(native) ? native : system) + L"\\TenmoruInfo.exe"),
                       hidden = e2e::SetMachineText(tenmoru::kSysInfoPathKey, L"PATH", std::nullopt, KEY_WOW64_32KEY),
                       named = e2e::SetMachineText(tenmoru::kSysInfoPathKey, L"PATH", tool, KEY_WOW64_64KEY);
    e2e::RecordToolStarts();
    const auto starting = std::chrono::steady_clock::now();
    const Session session;
    std::printf("Tenmoru.exe showed its main window %.1f s after its start\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - starting).count());
    BOOL wow64 = FALSE;  // the program as it ships runs as a 32-bit process on 64-bit Windows
    EXPECT_TRUE(!_wgetenv(L"TENMORU_SHIPPED_EXE") || (::IsWow64Process(session.Process(), &wow64) && wow64));
    e2e::ExpectAtTwips(session.Main(), e2e::kMain, USER_DEFAULT_SCREEN_DPI);
    const HWND about = session.OpenAbout();
    // By the keyboard: Enter on the start button, which has the focus.
    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::PressKey(VK_RETURN);
    e2e::Box input = session.WaitForBox().value();
    // Opened centred on the main window and 6000 twips wide, both to the dialog unit the system places it by.
    RECT placed{}, owner{}, client{};
    ::GetWindowRect(input.window, &placed), ::GetWindowRect(session.Main(), &owner),
        ::GetClientRect(input.window, &client);
    const LONG units = ::GetDialogBaseUnits(), unitX = (LOWORD(units) + 3) / 4, unitY = (HIWORD(units) + 7) / 8;
    const LONG wider = client.right - tenmoru::TwipsToPixels(6000, USER_DEFAULT_SCREEN_DPI);
    EXPECT_TRUE(wider >= 0 && wider <= unitX) << client.right << " px wide";
    EXPECT_NEAR(placed.left + placed.right, owner.left + owner.right, 3 * unitX) << "not centred on the main window";
    EXPECT_NEAR(placed.top + placed.bottom, owner.top + owner.bottom, 3 * unitY) << "not centred on the main window";
    EXPECT_EQ(input.title, L"Tenmoru");
    EXPECT_EQ(input.text, tenmoru::kPromptGuess);
    const HWND field = ::GetDlgItem(input.window, tenmoru::kInputFieldId);
    EXPECT_EQ(e2e::Text(field), L"");
    EXPECT_EQ(e2e::Announced(field), std::pair(input.text, LONG{ROLE_SYSTEM_TEXT}));  // named by its prompt
    // F1 in the box goes up to the main window, which must not answer while the box is open.
    ASSERT_TRUE(e2e::BringToForeground(input.window));
    e2e::PressKey(VK_F1);
    EXPECT_FALSE(e2e::WaitUntil([&] { return e2e::Windows(session.ProcessId(), L"#32770").size() > 1; }, 1s));
    // 1, 2, ... in full-width digits, as a Japanese input method types them: too small until the hit.
    for (const std::wstring answer : {L"\uFF11", L"\uFF12", L"\uFF13", L"\uFF14", L"\uFF15", L"\uFF16", L"\uFF17",
                                      L"\uFF18", L"\uFF19", L"\uFF11\uFF10"}) {
        SCOPED_TRACE(testing::PrintToString(answer));
        ExpectOnlyTheBoxEnabled(input, session, about);
        const auto message = session.Answer(input, answer);
        ASSERT_TRUE(message && !message->input);
        EXPECT_EQ(message->title, L"Tenmoru");
        ExpectOnlyTheBoxEnabled(*message, session, about);
        const auto next = session.Close(message->window);
        if (message->text == tenmoru::kHit) {
            EXPECT_FALSE(next.has_value()) << "a box after the hit";
            break;
        }
        EXPECT_EQ(message->text, tenmoru::kTooSmall);
        ASSERT_TRUE(next && next->input) << "the game ended";
        input = *next;
    }
    // Cancel with text in the field, and OK on an empty field, end a game without a word.
    EXPECT_FALSE(session.Answer(session.StartGame(), L"5", VK_ESCAPE).has_value());
    EXPECT_FALSE(session.Answer(session.StartGame(), L"").has_value());
    // The rules, by a click on the how-to-play label or by F1: with OK alone.
    const std::wstring rules =
        L"1\uFF5E10までの数値をキーボードから入力します\r\n"
        L"数値を入力したら\uFF2F\uFF2Bボタンをクリックします\r\n"
        L"入力した数値に対して大きいか小さいかのメッセージがでます\r\n"
        L"その数値に対して再度\u3001キーボードから数字を入力します\r\n"
        L"\u300Cあたり\u300Dと出るまで考えて数値を入力しましょう";
    for (int way = 0; way < 2; ++way) {
        ASSERT_TRUE(e2e::BringToForeground(session.Main()));
        way == 0 ? e2e::ClickAt(session.Control(tenmoru::Tenmoru::lblhelp)) : e2e::PressKey(VK_F1);
        const auto box = session.WaitForBox();
        ASSERT_TRUE(box && !box->input);
        EXPECT_EQ(box->text, rules);
        EXPECT_EQ(::GetDlgItem(box->window, IDCANCEL), nullptr);
        ExpectOnlyTheBoxEnabled(*box, session, about);
        EXPECT_FALSE(session.Close(box->window).has_value());
    }
    ASSERT_TRUE(e2e::BringToForeground(about));
    e2e::PressKey('S', VK_MENU);
    EXPECT_EQ(e2e::ToolStarted(e2e::ReactTimeout()), L"\"" + tool + L"\"\n" + system) << "not started, in its folder";
    // Tab from the start button, which keeps the focus, to the end button, which ends everything.
    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::PressKey(VK_TAB);
    e2e::PressKey(VK_RETURN);
    EXPECT_TRUE(session.Ended(e2e::ReactTimeout())) << "the end button left the program running";
}

}  // namespace
