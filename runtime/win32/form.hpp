#pragma once
// The base of every top-level form: one C++ object per form, found by the window procedure through
// GWLP_USERDATA. The base does what every form shares: class registration, open-form bookkeeping,
// placement on the work area, the control table laid out in twips for the window's DPI (again
// on every DPI change, with the font and icons for it), focus memory, and Enter through
// DM_GETDEFID, labels in a designed colour that give way to the system's under high contrast, and
// a repaint whenever the system's colours change. A concrete form is its design (control table
// and frame) plus its handlers.
#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "runtime/win32/handles.hpp"
#include "runtime/win32/layout.hpp"
#include "runtime/win32/ui_metrics.hpp"

namespace tenmoru {

struct FormDesign {
    const wchar_t* className;   // the form's window class, registered on first use
    std::wstring_view caption;  // the title as designed, a literal
    DWORD style;
    DWORD exStyle;
    TwipsSize client;
    std::span<const ControlSpec> controls;  // in tab order; the first has the focus at the opening
    int iconId;                             // the frame's icon
    int defaultButton;                      // clicked by Enter when no push button has the focus; 0: none
    Placement placement;                    // where Load puts the window relative to its anchor
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The window, or null while the form is not loaded.
    [[nodiscard]] HWND Window() const noexcept { return hwnd_; }
    [[nodiscard]] HWND Control(int id) const noexcept { return GetDlgItem(hwnd_, id); }

    // Builds the window hidden at its place relative to anchor (may be null), on the anchor's
    // monitor, its controls laid out once for that monitor's DPI. False when it could not be built.
    bool Load(HWND anchor);
    // Shows the window in front with the focus on the control that last had it.
    void Show(int showCommand = SW_SHOWNORMAL) noexcept;
    // Destroys the window; the object stays, and the next Load builds the window anew.
    void Unload() noexcept;

protected:
    explicit Form(const FormDesign& design) noexcept : design_(design) {}
    ~Form();

    // The form is loaded: its window and controls exist, laid out, not yet shown.
    virtual void OnLoad();
    // A click on a control (from the mouse, or Enter, Space or an access key), or Esc as IDCANCEL.
    virtual void OnClick(int id) = 0;
    // Messages a form handles itself; nullopt leaves them to the base.
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The colour a label's text is designed in; nullopt for the system's. A designed colour gives
    // way to the system's text colour under high contrast, or where it would not read well.
    [[nodiscard]] virtual std::optional<COLORREF> DesignedTextColour(int id) const;
    // After the controls were laid out for a DPI, at the opening and on every DPI change; layoutDpi
    // is the DPI that twips are laid out at (the DPI times the text factor).
    virtual void OnDpiApplied(UINT layoutDpi);
    // An icon of the program's resources at a size in pixels, owned by the caller.
    [[nodiscard]] static unique_hicon LoadProgramIcon(int id, int pixels) noexcept;
    // The DPI that twips are laid out at: the window's DPI times the text factor.
    [[nodiscard]] UINT LayoutDpi() const noexcept { return metrics_.layoutDpi; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    void OnCommand(int id, UINT code);
    void OnActivate(UINT state, bool minimized) noexcept;
    LRESULT OnCtlColorStatic(HDC dc, HWND label) const noexcept;
    [[nodiscard]] bool OnGetDpiScaledSize(UINT dpi, SIZE& size) const noexcept;
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    [[nodiscard]] LRESULT DefaultButtonId() const noexcept;
    void ShowAsDefault(int id) const noexcept;
    [[nodiscard]] SIZE DesignedSize(const UiMetrics& metrics) const noexcept;
    [[nodiscard]] bool AtDesignedSize(SIZE size) const noexcept;
    [[nodiscard]] bool AtDesignedSize() const noexcept;
    void OnTextSizeChanged();
    bool Apply(const UiMetrics& metrics);

    const FormDesign& design_;
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;  // the control that gets the focus back when the form is activated
    UiMetrics metrics_{USER_DEFAULT_SCREEN_DPI, USER_DEFAULT_SCREEN_DPI, {}};  // as last laid out for
    SIZE designed_{};                                                          // its outer size as laid out for them

    unique_hfont font_;
    unique_hicon bigIcon_;
    unique_hicon smallIcon_;
};

}  // namespace tenmoru
