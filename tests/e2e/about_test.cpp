// The About dialog: one however often opened, its keys, its tool's launcher against the real registry.
#include <gtest/gtest.h>

#include "about/sys_info_launcher.hpp"
#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"

namespace {

using namespace std::chrono_literals;
using tenmoru::AboutForm;

bool FocusOn(HWND about, int id) {
    return e2e::WaitUntil([&] { return e2e::FocusedWindow(about) == ::GetDlgItem(about, id); }, 2s);
}

// The tool stands in a folder whose name has a space right after "C:\Program": started without
// quotes, Windows would try C:\Program.exe first.
const std::wstring kFolder = L"C:\\Program Files\\Tenmoru Marker", kTool = kFolder + L"\\MSINFO32.EXE";

TEST(AboutDialog, OneDialogWhoseButtonStartsTheProgramTheRegistryNamesSafelyOrTellsThePlayer) {
    const struct {
        const char* name;
        std::optional<std::wstring> path, folder;  // the two registry values; nullopt: absent
        std::wstring started;                      // the program started; empty: the message instead
        WORD key;                                  // 0: a click; else Alt+S, or Enter on the button
    } launches[] = {
        {"folder holding the tool, by Enter", std::nullopt, kFolder, kTool, VK_RETURN},  // first: focus on OK
        {"path in quotes, by Alt+S", L"\"" + kTool + L"\"", std::nullopt, kTool, 'S'},
        {"folder ending in a backslash", std::nullopt, kFolder + L"\\", kFolder + L"\\\\MSINFO32.EXE", 0},
        {"folder as a pattern", std::nullopt, L"C:\\Program Files\\Tenmoru M*", L"", 0},
        {"path with no data: the folder is not read", L"", kFolder, L"", 0},
        {"a quote inside the path", L"C:\\Tenmoru Missing\" x.exe", std::nullopt, L"", 0},
    };
    const e2e::Restore tool = e2e::CopyForTest(e2e::OwnFolder() / L"marker.exe", kTool);
    e2e::RecordToolStarts();
    const e2e::Session session;
    const HWND about = session.OpenAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(FocusOn(about, AboutForm::cmdOK));
    EXPECT_EQ(session.OpenAbout(), about) << "a second click shows the same dialog, and no other";
    for (const auto& c : launches) {
        SCOPED_TRACE(c.name);
        // The 64-bit view cleared first: under WOW64 the launcher reads it where its own holds nothing.
        const e2e::Restore values[] = {
            e2e::SetMachineText(tenmoru::kSysInfoPathKey, L"PATH", std::nullopt, KEY_WOW64_64KEY),
            e2e::SetMachineText(tenmoru::kSysInfoPathKey, L"PATH", c.path),
            e2e::SetMachineText(tenmoru::kSysInfoFolderKey, L"MSINFO", c.folder)};
        ASSERT_TRUE(e2e::BringToForeground(about));
        for (int tab = 0; c.key == VK_RETURN && tab < 2; ++tab) {  // OK, picture box, the button
            e2e::PressKey(VK_TAB);
            EXPECT_TRUE(FocusOn(about, tab == 0 ? AboutForm::picIcon : AboutForm::cmdSysInfo));
        }
        c.key == 0 ? e2e::ClickAt(::GetDlgItem(about, AboutForm::cmdSysInfo))
                   : e2e::PressKey(c.key, c.key == 'S' ? VK_MENU : 0);
        if (!c.started.empty()) {
            std::wstring in = c.started.substr(0, c.started.find_last_of(L'\\'));
            while (in.ends_with(L'\\')) in.pop_back();
            EXPECT_EQ(e2e::ToolStarted(e2e::ReactTimeout()), L"\"" + c.started + L"\"\n" + in)
                << "started with its path in quotes, in its own folder";
            EXPECT_TRUE(e2e::ThreadAnswers(about) && !session.ShownBox()) << "no message when the tool starts";
        } else {
            const auto box = session.WaitForBox();
            ASSERT_TRUE(box.has_value()) << "no message";
            EXPECT_EQ(box->text, L"現時点では\uFF7C\uFF7D\uFF83\uFF91情報を使用できません");  // half-width ｼｽﾃﾑ
            EXPECT_FALSE(session.Close(box->window).has_value());
            EXPECT_FALSE(e2e::ToolStarted(0ms).has_value()) << "nothing may start";
        }
    }
    // Esc closes the dialog wherever the focus is, and Enter on the picture box does. The next
    // opening builds it anew with the focus on OK: once from the version label, once from the
    // main window's system menu, whose last item it is (under Wine, "A" is taken twice).
    for (const WORD key : std::initializer_list<WORD>{VK_ESCAPE, VK_RETURN}) {
        const HWND open = e2e::FindShownWindow(session.ProcessId(), tenmoru::kAboutFormClass);
        ASSERT_TRUE(e2e::BringToForeground(open));
        if (key == VK_RETURN) e2e::PressKey(VK_TAB);  // from OK to the picture box
        e2e::PressKey(key);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(open); }) && !session.ShownBox()) << key;
        if (key == VK_RETURN && e2e::BringToForeground(session.Main())) {
            for (const WORD menuKey : {WORD{VK_SPACE}, WORD{VK_UP}, WORD{VK_RETURN}})
                e2e::PressKey(menuKey, menuKey == VK_SPACE ? VK_MENU : 0);
        }
        HWND reopened = key == VK_ESCAPE ? session.OpenAbout() : nullptr;
        e2e::WaitUntil(
            [&] { return (reopened = e2e::FindShownWindow(session.ProcessId(), tenmoru::kAboutFormClass)); });
        EXPECT_TRUE(reopened != open && FocusOn(reopened, AboutForm::cmdOK)) << key;
    }
    // Alt+F4 closes the main window alone; the program ends with its last window, the dialog.
    const HWND last = e2e::FindShownWindow(session.ProcessId(), tenmoru::kAboutFormClass);
    ASSERT_TRUE(e2e::BringToForeground(session.Main()));
    e2e::PressKey(VK_F4, VK_MENU);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(session.Main()); }));
    EXPECT_TRUE(::IsWindowVisible(last) && !session.Ended(0ms)) << "the About dialog must stay";
    ::PostMessageW(last, WM_CLOSE, 0, 0);
    EXPECT_TRUE(session.Ended(e2e::ReactTimeout())) << "the program still runs";
}

}  // namespace
