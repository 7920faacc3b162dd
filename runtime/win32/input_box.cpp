#include "runtime/win32/input_box.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/app.hpp"
#include "runtime/win32/handles.hpp"
#include "runtime/win32/layout.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/ui_metrics.hpp"

namespace tenmoru {

namespace {

// The box in twips: the prompt at the top left, OK and Cancel stacked at the right, the text
// field across the whole width below whichever of them reaches lower. The prompt grows downwards
// with its text; the field and the box's height follow it.
constexpr int kMargin = 180;
constexpr int kGap = 240;
constexpr int kClientWidth = 6000;

// In tab order: the prompt first, so that a screen reader finds it just before the field.
constexpr std::array<ControlSpec, 4> kControls{{
    {kInputPromptId, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, {kMargin, kMargin, 4200, 720}},
    {kInputFieldId,
     WC_EDITW,
     L"",
     ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {kMargin, 0, kClientWidth - 2 * kMargin, 330}},
    {IDOK, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {4560, kMargin, 1260, 375}},
    {IDCANCEL, WC_BUTTONW, L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 0, {4560, 660, 1260, 375}},
}};
constexpr const ControlSpec& kPrompt = kControls[0];
constexpr const ControlSpec& kField = kControls[1];
constexpr const ControlSpec& kCancel = kControls[3];

// Where every control stands at the DPI, the client area's size and the window's outer size.
struct Layout {
    std::array<RECT, kControls.size()> controls;
    SIZE client;
    SIZE window;
};

// Height of the prompt's text wrapped to the width, in the font (measured in memory, as the screen
// would show it: taking the screen's device context costs more).
int PromptTextHeight(std::wstring_view prompt, HFONT font, int width) {
    RECT bounds{0, 0, width, 0};
    const unique_memory_dc dc{CreateCompatibleDC(nullptr)};
    const unique_select_object selected(dc.get(), font);
    DrawTextW(dc.get(), prompt.data(), static_cast<int>(prompt.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return bounds.bottom - bounds.top;
}

// The twips laid out at the metrics' layout DPI, the frame (of the style) at their DPI.
Layout Measure(std::wstring_view prompt, HFONT font, const UiMetrics& metrics, DWORD style, DWORD exStyle) {
    const UINT at = metrics.layoutDpi;
    Layout layout{};
    std::ranges::transform(kControls, layout.controls.begin(),
                           [&](const ControlSpec& control) { return PixelRect(control.rect, at); });
    RECT& text = layout.controls[0];
    RECT& field = layout.controls[1];
    text.bottom = std::max(text.bottom, text.top + PromptTextHeight(prompt, font, text.right - text.left));
    field.top = std::max(text.bottom, layout.controls[3].bottom) + TwipsToPixels(kGap, at);
    field.bottom = field.top + TwipsToPixels(kField.rect.height, at);
    layout.client = {TwipsToPixels(kClientWidth, at), field.bottom + TwipsToPixels(kGap, at)};
    layout.window = WindowSizeForClient(layout.client, style, exStyle, metrics.dpi);
    return layout;
}

Layout Measure(HWND dialog, std::wstring_view prompt, HFONT font, const UiMetrics& metrics) {
    return Measure(prompt, font, metrics, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                   static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
}

// The box's frame; the dialog manager adds the modal frame's extended style.
constexpr DWORD kBoxStyle = DS_MODALFRAME | DS_ABSALIGN | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME;

// The dialog manager turns a template's dialog units into pixels with the base units of the
// template's font, here the system's: x times the base width over 4, y times the base height over 8,
// to the nearest pixel. These are the fewest units that make at least the pixels.
short DialogUnits(int pixels, int base, int per) {
    int units = MulDiv(pixels, per, base);
    while (MulDiv(units, base, per) < pixels) ++units;
    return static_cast<short>(units);
}

// The template's frame with the box where it goes, its client area's screen position and size in
// dialog units, so that the box is made there rather than moved once made (a move costs about a
// millisecond, near a tenth of the box's opening). unit is one dialog unit in pixels (rounded up):
// what a figure may be off by.
DLGTEMPLATE FrameAt(const RECT& place, SIZE client, SIZE& unit) {
    const LONG base = GetDialogBaseUnits();
    const int baseX = LOWORD(base), baseY = HIWORD(base);
    unit = {(baseX + 3) / 4, (baseY + 7) / 8};
    RECT inset{};
    AdjustWindowRectEx(&inset, kBoxStyle, FALSE, kBoxExStyle);  // the frame around the client area
    return DLGTEMPLATE{kBoxStyle,
                       0,
                       0,
                       DialogUnits(place.left - inset.left, baseX, 4),
                       DialogUnits(place.top - inset.top, baseY, 8),
                       DialogUnits(client.cx, baseX, 4),
                       DialogUnits(client.cy, baseY, 8)};
}

// Whether the box stands where it was meant to within what dialog units can say: each edge at most
// one unit from its place, and the box no smaller (where the system reckons units otherwise, as it
// may at another DPI, it is not).
bool Near(const RECT& made, const RECT& place, SIZE unit) {
    const auto within = [](LONG by, LONG most) { return by >= 0 && by <= most; };
    return std::abs(made.left - place.left) <= unit.cx && std::abs(made.top - place.top) <= unit.cy &&
           within(made.right - made.left - (place.right - place.left), unit.cx) &&
           within(made.bottom - made.top - (place.bottom - place.top), unit.cy);
}

struct InputBoxState {
    std::wstring prompt;
    std::wstring defaultText;
    std::array<ControlSpec, kControls.size()> controls;  // the table, with the prompt and the default text
    UiMetrics metrics;
    unique_hfont font{};
    Layout layout{};  // at the metrics' DPI
    RECT place{};     // the window, on the screen
    SIZE unit{};      // one dialog unit, in pixels (rounded up)
    std::wstring result{};
    unique_hhook watch{};  // the hook on the box's creation, gone once the box is made
};

// Lays the box out for a new DPI, the new font in every control before the old one goes; returns
// the window's size.
SIZE ApplyLayout(HWND dialog, InputBoxState& state, UINT dpi) {
    const UiMetrics metrics = UiMetricsFor(dpi);
    unique_hfont font = CreateUiFont(metrics);
    const Layout layout = Measure(dialog, state.prompt, font.get(), metrics);
    PlaceControls(dialog, state.controls, layout.controls, font.get());
    state.font = std::move(font);
    return layout.window;
}

std::wstring FieldText(HWND dialog) {
    const HWND field = GetDlgItem(dialog, kInputFieldId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(GetWindowTextW(field, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

// The box comes from its template where it was meant to be, to the dialog unit (see FrameAt);
// where the system turned the units into pixels otherwise, it is put there.
INT_PTR OnInitDialog(HWND dialog, InputBoxState& state) {
    DisableDialogDpiScaling(dialog);  // the box lays itself out for every DPI
    RECT made{};
    GetWindowRect(dialog, &made);
    if (!Near(made, state.place, state.unit))
        SetWindowPos(dialog, nullptr, state.place.left, state.place.top, state.place.right - state.place.left,
                     state.place.bottom - state.place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!PlaceControls(dialog, state.controls, state.layout.controls, state.font.get())) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    const HWND field = GetDlgItem(dialog, kInputFieldId);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
    return FALSE;  // the focus is set
}

// A dialog procedure answers through DWLP_MSGRESULT and returns TRUE for a message it handled.
INT_PTR Answer(HWND dialog, LRESULT result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& state = *reinterpret_cast<InputBoxState*>(lParam);
        state.watch.reset();
        return OnInitDialog(dialog, state);
    }
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (state == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            state->result = FieldText(dialog);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {  // Cancel, Esc and the close button
            state->result.clear();
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    case kGetDpiScaledSizeMessage: {
        if (!SystemAsksForDpiScaledSize()) return FALSE;
        // The size our own layout gives at the new DPI; the system then suggests a place for it.
        const UiMetrics metrics = UiMetricsFor(static_cast<UINT>(wParam));
        const unique_hfont font = CreateUiFont(metrics);
        *reinterpret_cast<SIZE*>(lParam) = Measure(dialog, state->prompt, font.get(), metrics).window;
        return Answer(dialog, TRUE);
    }
    case WM_DPICHANGED: {
        if (!SystemChangesWindowDpi()) return FALSE;
        // The suggested rectangle; where the system did not ask for the size first, the box's
        // own size in the suggested place (as the forms do).
        const SIZE designed = ApplyLayout(dialog, *state, HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        const SIZE size = SystemAsksForDpiScaledSize()
                              ? SIZE{suggested.right - suggested.left, suggested.bottom - suggested.top}
                              : designed;
        SetWindowPos(dialog, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        return Answer(dialog, 0);
    }
    default:
        return FALSE;
    }
}

// The dialog manager hands the box's procedure no WM_NCCREATE, the one moment the system lets a
// window ask for its frame to be scaled with the DPI. So where the system wants to be asked, while
// the box is made, a hook on the thread's window creation puts a procedure of ours in front of the
// dialog's own for that message: for the first dialog made on the thread from then on, which is
// the box, and no other window.
WNDPROC dialogWindowProc = nullptr;

LRESULT CALLBACK ScaleFrameOnCreation(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const WNDPROC own = dialogWindowProc;
    if (message == WM_NCCREATE) {
        ScaleFrameWithDpi(dialog);
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    }
    return CallWindowProcW(own, dialog, message, wParam, lParam);
}

// The dialog class, as the creation names it: its atom, or its name.
bool IsDialogClass(const wchar_t* name) noexcept {
    constexpr ATOM kDialogClass = 0x8002;  // WC_DIALOG, "#32770"
    return IS_INTRESOURCE(name) ? LOWORD(reinterpret_cast<ULONG_PTR>(name)) == kDialogClass
                                : lstrcmpiW(name, L"#32770") == 0;
}

LRESULT CALLBACK OnWindowCreation(int code, WPARAM window, LPARAM created) noexcept {
    const auto* made = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(created)->lpcs : nullptr;
    if (made != nullptr && (made->style & WS_CHILD) == 0 && IsDialogClass(made->lpszClass) &&
        dialogWindowProc == nullptr) {
        const auto box = reinterpret_cast<HWND>(window);
        dialogWindowProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC));
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScaleFrameOnCreation));
    }
    return CallNextHookEx(nullptr, code, window, created);
}

}  // namespace

std::wstring RunInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText) {
    const HMONITOR monitor = MonitorFor(owner);
    InputBoxState state{.prompt = std::wstring(prompt),
                        .defaultText = std::wstring(defaultText),
                        .controls = kControls,
                        .metrics = UiMetricsFor(MonitorDpi(monitor))};
    state.controls[0].text = state.prompt;
    state.controls[1].text = state.defaultText;
    state.font = CreateUiFont(state.metrics);
    state.layout = Measure(state.prompt, state.font.get(), state.metrics, kBoxStyle, kBoxExStyle);
    state.place = PlaceOnWorkArea(state.layout.window, monitor, owner, Placement::CentredOn);
    // A frame with the title and nothing in it: the controls come from the table above, laid out for
    // the DPI. The template is the frame, no menu, the dialog class, then the title.
    const DLGTEMPLATE frame = FrameAt(state.place, state.layout.client, state.unit);
    const std::wstring_view caption = title.empty() ? App.Title : title;
    std::vector<WORD> dialog(sizeof frame / sizeof(WORD) + 2, 0);  // the allocation is aligned as a DWORD needs
    std::memcpy(dialog.data(), &frame, sizeof frame);
    dialog.insert(dialog.end(), caption.begin(), caption.end());
    dialog.push_back(0);
    dialogWindowProc = nullptr;
    if (FrameScalesOnRequest())
        state.watch.reset(SetWindowsHookExW(WH_CBT, &OnWindowCreation, nullptr, GetCurrentThreadId()));
    const INT_PTR closedWith =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                &InputBoxProc, reinterpret_cast<LPARAM>(&state));
    return closedWith == IDOK ? state.result : std::wstring{};
}

}  // namespace tenmoru
