#include "runtime/win32/form.hpp"

#include "runtime/colours.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/open_forms.hpp"
#include "runtime/win32/window_class.hpp"

namespace tenmoru {

namespace {

// The frame's icons: 32 and 16 pixels at 96 dpi.
constexpr int kBigIconTwips = 480;
constexpr int kSmallIconTwips = 240;

bool IsPushButton(HWND control) noexcept {
    return control != nullptr &&
           (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) != 0;
}

}  // namespace

Form::~Form() {
    // A window still open when its object goes (a failed start) must not call back into it.
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Form::Load(HWND anchor) {
    if (hwnd_ != nullptr) return true;
    // Made where it opens: measured for that monitor, then created there, so that it is laid out
    // once, for the DPI it is shown at.
    const HMONITOR monitor = MonitorFor(anchor);
    metrics_ = UiMetricsFor(MonitorDpi(monitor));
    const RECT place = PlaceOnWorkArea(DesignedSize(metrics_), monitor, anchor, design_.placement);
    return RegisterWindowClass(design_.className, &Form::WindowProc) &&
           CreateWindowExW(design_.exStyle, design_.className, design_.caption.data(), design_.style, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), this) != nullptr;
}

void Form::Show(int showCommand) noexcept {
    ShowWindow(hwnd_, showCommand);
    SetForegroundWindow(hwnd_);
    if (focus_ != nullptr) SetFocus(focus_);
}

void Form::Unload() noexcept {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

std::optional<LRESULT> Form::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void Form::OnLoad() {}

std::optional<COLORREF> Form::DesignedTextColour(int) const { return std::nullopt; }

void Form::OnDpiApplied(UINT) {}

unique_hicon Form::LoadProgramIcon(int id, int pixels) noexcept {
    return unique_hicon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, 0)));
}

// Never unwinds into the system's code: the program is built without exceptions, and noexcept
// ends it at once should one ever be thrown.
LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        ScaleFrameWithDpi(hwnd);
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = form->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        form->focus_ = nullptr;
    }
    return result;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> handled = OnMessage(message, wParam, lParam)) return *handled;
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), HIWORD(wParam) != 0);
        return 0;
    case WM_SETFOCUS:
        if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETTINGCHANGE:  // perhaps a new message font: laid out again, at its designed size
        if (wParam == SPI_SETNONCLIENTMETRICS) OnTextSizeChanged();
        [[fallthrough]];
    case WM_SYSCOLORCHANGE:  // the colours or the theme changed: paint everything anew
    case WM_THEMECHANGED:
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case DM_GETDEFID:
        return DefaultButtonId();
    case kGetDpiScaledSizeMessage:
        if (!SystemAsksForDpiScaledSize()) break;
        return OnGetDpiScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam));
    case WM_DPICHANGED:
        if (!SystemChangesWindowDpi()) break;
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        OpenForms::Instance().Remove(hwnd_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Every label in the system's colours on the form's face (a theme would paint it on a background of
// its own, whatever the colours), or in its designed colour where that reads well.
LRESULT Form::OnCtlColorStatic(HDC dc, HWND label) const noexcept {
    HIGHCONTRASTW highContrast{sizeof highContrast, 0, nullptr};
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const std::optional<COLORREF> designed = DesignedTextColour(GetDlgCtrlID(label));
    SetTextColor(
        dc, designed ? LabelTextColour(*designed, (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0, face, text) : text);
    SetBkColor(dc, face);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The controls are made laid out for the DPI the window was measured for at Load.
LRESULT Form::OnCreate() {
    const UINT dpi = WindowDpi(hwnd_);
    if (!Apply(dpi == metrics_.dpi ? metrics_ : UiMetricsFor(dpi))) return -1;
    OpenForms::Instance().Add(hwnd_);
    focus_ = Control(design_.controls.front().id);
    OnLoad();
    return 0;
}

void Form::OnCommand(int id, UINT code) {
    switch (code) {
    case BN_CLICKED:        // also STN_CLICKED and Esc's IDCANCEL
    case BN_DOUBLECLICKED:  // a button that notifies its focus reports a quick second click so
        OnClick(id);
        break;
    case BN_SETFOCUS:  // from buttons that notify their focus: the default look follows it
        ShowAsDefault(id);
        break;
    case BN_KILLFOCUS:
        ShowAsDefault(design_.defaultButton);
        break;
    default:
        break;
    }
}

void Form::OnActivate(UINT state, bool minimized) noexcept {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
    } else if (!minimized && focus_ != nullptr && IsWindow(focus_)) {
        SetFocus(focus_);
    }
}

// Enter clicks the push button that has the focus, else the form's default button, if any.
LRESULT Form::DefaultButtonId() const noexcept {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus) && IsPushButton(focus)) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    return design_.defaultButton != 0 ? MAKELRESULT(design_.defaultButton, DC_HASDEFID) : 0;
}

// Gives the default button's look to the push button id and the plain look to the others.
void Form::ShowAsDefault(int id) const noexcept {
    if (design_.defaultButton == 0) return;
    for (const ControlSpec& control : design_.controls) {
        if (!IsPushButton(Control(control.id))) continue;
        const DWORD type = control.id == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        SendMessageW(Control(control.id), BM_SETSTYLE, (control.style & ~BS_TYPEMASK) | type, TRUE);
    }
}

// The window's designed outer size at the metrics' DPI, its client area laid out at their layout DPI.
SIZE Form::DesignedSize(const UiMetrics& metrics) const noexcept {
    const SIZE client{TwipsToPixels(design_.client.width, metrics.layoutDpi),
                      TwipsToPixels(design_.client.height, metrics.layoutDpi)};
    return WindowSizeForClient(client, design_.style, design_.exStyle, metrics.dpi);
}

// Whether a window of this outer size is at the size the form was last laid out for. Compared with
// the size as it was made, not as the frame would measure now: a change of the frame's metrics
// (the caption's height with the text size) must not count as a size the player chose.
bool Form::AtDesignedSize(SIZE size) const noexcept { return size.cx == designed_.cx && size.cy == designed_.cy; }

bool Form::AtDesignedSize() const noexcept {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    return AtDesignedSize(SIZE{window.right - window.left, window.bottom - window.top});
}

// A new message font: the controls laid out again, and a window at its designed size given the
// designed size for the new text factor.
void Form::OnTextSizeChanged() {
    const bool designed = AtDesignedSize();
    Apply(UiMetricsFor(metrics_.dpi));
    if (!designed) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, designed_.cx, designed_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moving to a monitor of another DPI: a window that is to be at its designed size keeps it in
// twips, sized by our own rounding; one the player or a tool has sized otherwise is scaled by the
// system. The size handed over is the pending one, which a tool that moves and sizes the window in
// one step (snapping it into a zone, say) has already set.
bool Form::OnGetDpiScaledSize(UINT dpi, SIZE& size) const noexcept {
    if (!AtDesignedSize(size)) return false;
    size = DesignedSize(UiMetricsFor(dpi));
    return true;
}

// The window takes the suggested rectangle. A system that does not ask for the size first (before
// Windows 10 1703) suggests the whole window scaled, frame and rounding included; there a window
// at its designed size takes the designed size at the new DPI in the suggested place instead.
void Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const bool keepDesign = !SystemAsksForDpiScaledSize() && AtDesignedSize();
    Apply(UiMetricsFor(dpi));
    const SIZE size = keepDesign ? designed_ : SIZE{suggested.right - suggested.left, suggested.bottom - suggested.top};
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lays the form out for the metrics: its controls (made where they are not yet), their font, the
// frame's icons. False when a control could not be made.
bool Form::Apply(const UiMetrics& metrics) {
    metrics_ = metrics;
    designed_ = DesignedSize(metrics_);
    unique_hfont font = CreateUiFont(metrics_);
    if (!PlaceControls(hwnd_, design_.controls, PixelRects(design_.controls, metrics_.layoutDpi), font.get()))
        return false;
    font_ = std::move(font);  // the old font goes only once no control uses it

    const UINT dpi = metrics_.dpi;
    unique_hicon big = LoadProgramIcon(design_.iconId, TwipsToPixels(kBigIconTwips, dpi));
    unique_hicon small = LoadProgramIcon(design_.iconId, TwipsToPixels(kSmallIconTwips, dpi));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);

    OnDpiApplied(metrics_.layoutDpi);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

}  // namespace tenmoru
