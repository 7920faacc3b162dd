#pragma once
// The About dialog frmAbout2: title, version, credit, the etched separator, a warning line, OK and
// the system-information button. Modeless and unowned; one instance for the whole program, whose
// window is built anew at every opening after it was closed.
#include <windows.h>

#include <optional>

#include "runtime/win32/form.hpp"
#include "runtime/win32/handles.hpp"

namespace tenmoru {

inline constexpr wchar_t kAboutFormClass[] = L"frmAbout2";

class AboutForm final : public Form {
public:
    // The controls; OK is IDOK, so that Enter finds it as a dialog's OK.
    enum ControlId : int {
        cmdOK = IDOK,
        picIcon = 301,
        lblTitle,
        lblVersion,
        lblDescription,
        lblDisclaimer,
        cmdSysInfo
    };

    AboutForm() noexcept;

    // Opens the dialog beside the window beside, or brings the open one to the front unchanged.
    // False when the window could not be built.
    bool Open(HWND beside);

    // Starts the system-information tool, or tells the player that it is unavailable.
    void StartSysInfo();

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    void OnLoad() override;
    void OnClick(int id) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    [[nodiscard]] std::optional<COLORREF> DesignedTextColour(int id) const override;
    void OnDpiApplied(UINT layoutDpi) override;
    void PaintSeparator() const;

    unique_hicon pictureIcon_;
};

// The program's one About dialog, created on first use.
AboutForm& frmAbout2();

}  // namespace tenmoru
