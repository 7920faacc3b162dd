#pragma once
// Walks a form's tab order with real Tab and Shift+Tab presses and checks where the focus lands.
#include <gtest/gtest.h>
#include <windows.h>

#include <span>

#include "driver/input.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"

namespace e2e {

struct TabStep {
    const char* name;
    driver::Modifier modifier;  // None for Tab, Shift for Shift+Tab
    int expectedFocus;          // control id
};

inline void ExpectTabWalk(HWND form, std::span<const TabStep> steps) {
    for (const TabStep& step : steps) {
        SCOPED_TRACE(step.name);
        driver::PressKey(VK_TAB, step.modifier);
        const HWND expected = ::GetDlgItem(form, step.expectedFocus);
        EXPECT_TRUE(driver::WaitUntil([&] { return driver::FocusedWindow(form) == expected; }))
            << "focus is on control " << ::GetDlgCtrlID(driver::FocusedWindow(form));
    }
}

}  // namespace e2e
