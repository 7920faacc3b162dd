#pragma once
// The main window, form "Tenmoru": two labels and two buttons, each starting one handler.
#include <windows.h>

#include "runtime/random.hpp"
#include "runtime/win32/form.hpp"

namespace tenmoru {

class Tenmoru final : public Form {
public:
    enum ControlId : int { cmdstat = 201, cmdend, lblhelp, lblver };

    Tenmoru() noexcept;

private:
    // The handlers of the four controls.
    void cmdstat_Click();
    void lblhelp_Click();
    void lblver_Click();
    void cmdend_Click();

    void OnLoad() override;
    void OnClick(int id) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ClockRandom random_;
};

}  // namespace tenmoru
