// Ways the player ends the program; each must end the process.
#include <gtest/gtest.h>
#include <windows.h>

#include "driver/input.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
#include "tenmoru_session.hpp"

namespace {

struct EndCase {
    const char* name;
    void (*end)(const e2e::TenmoruSession& session);
};

const EndCase kEndCases[] = {
    {"EndButtonClicked",
     [](const e2e::TenmoruSession& s) { driver::ClickCenter(s.Control(IDC_CMDEND)); }},
    {"EndButtonByKeyboard",
     [](const e2e::TenmoruSession& s) {
         driver::PressKey(VK_TAB);  // from the start button to the end button
         driver::WaitUntil([&] { return driver::FocusedWindow(s.MainWindow()) == s.Control(IDC_CMDEND); });
         driver::PressKey(VK_RETURN);
     }},
    {"CloseMessage",
     [](const e2e::TenmoruSession& s) { ::PostMessageW(s.MainWindow(), WM_CLOSE, 0, 0); }},
    {"AltF4", [](const e2e::TenmoruSession&) { driver::PressKey(VK_F4, driver::Modifier::Alt); }},
};

class EndingTheProgram : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndingTheProgram, EndsTheProcess) {
    e2e::TenmoruSession session;
    ASSERT_TRUE(driver::BringToForeground(session.MainWindow()));
    ASSERT_TRUE(driver::WaitUntil([&] {
        return driver::FocusedWindow(session.MainWindow()) == session.Control(IDC_CMDSTAT);
    }));
    GetParam().end(session);
    EXPECT_TRUE(session.Process().WaitForExit(driver::kReactTimeout).has_value())
        << "Tenmoru still runs";
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTheProgram, ::testing::ValuesIn(kEndCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
