// The rules message, opened with a mouse click on the how-to-play label.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/input.hpp"
#include "driver/screenshot.hpp"
#include "game/rules.hpp"
#include "resources/resource_ids.h"
#include "tenmoru_session.hpp"

namespace {

TEST(Rules, ClickOnTheHowToPlayLabelShowsTheFiveLinesEveryTime) {
    const std::wstring expected = RulesMessage();
    // The message, checked here independently of how it is built: five lines, CR LF between them.
    ASSERT_EQ(expected.substr(0, 4), L"1\uFF5E10");
    ASSERT_EQ(expected.substr(expected.size() - 5), L"\u3057\u307E\u3057\u3087\u3046");

    e2e::TenmoruSession session;
    const HWND main = session.MainWindow();
    struct Round {
        const char* name;
        double clickX;  // two spots apart, so that the second click is no double click
    };
    for (const Round round : {Round{"first click", 0.3}, Round{"second click", 0.7}}) {
        SCOPED_TRACE(round.name);
        ASSERT_TRUE(driver::BringToForeground(main));
        driver::ClickAt(session.Control(IDC_LBLHELP), round.clickX, 0.5);
        const auto box = session.WaitForBox();
        ASSERT_TRUE(box.has_value());
        ASSERT_EQ(box->kind, e2e::Box::Kind::Message);
        EXPECT_EQ(box->title, L"Tenmoru");
        EXPECT_EQ(box->text, expected);
        std::size_t breaks = 0;
        for (std::size_t at = box->text.find(L"\r\n"); at != std::wstring::npos;
             at = box->text.find(L"\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, 4u);
        EXPECT_NE(::GetDlgItem(box->window, IDOK), nullptr);
        EXPECT_EQ(::GetDlgItem(box->window, IDCANCEL), nullptr);
        EXPECT_FALSE(::IsWindowEnabled(main));
        driver::SaveScreenshot(box->window, L"rules_message");
        EXPECT_FALSE(session.CloseMessage(*box).has_value());
        EXPECT_TRUE(::IsWindowEnabled(main));
    }
}

}  // namespace
