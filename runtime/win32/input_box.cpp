#include "runtime/win32/input_box.hpp"

#include <algorithm>
#include <array>

#include "runtime/app.hpp"
#include "runtime/win32/handles.hpp"
#include "runtime/win32/layout.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/ui_font.hpp"

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

struct InputBoxState {
    std::wstring_view prompt;
    std::wstring_view title;
    std::wstring_view defaultText;
    std::wstring result;
    unique_hfont font;
    unique_hhook watch;  // the hook on the box's creation, gone once the box is made
};

// Height of the prompt's text wrapped to the prompt's width, in the font.
int PromptTextHeight(HWND dialog, std::wstring_view prompt, HFONT font, UINT layoutDpi) {
    RECT bounds{0, 0, TwipsToPixels(kPrompt.rect.width, layoutDpi), 0};
    const unique_window_dc dc(dialog);
    const unique_select_object selected(dc.get(), font);
    DrawTextW(dc.get(), prompt.data(), static_cast<int>(prompt.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return bounds.bottom - bounds.top;
}

// Where the prompt and the field stand at the DPI, and the window's size.
struct Layout {
    RECT prompt;
    RECT field;
    SIZE window;
};

// The twips are laid out at the DPI times the text factor (at); the frame is the DPI's.
Layout Measure(HWND dialog, std::wstring_view prompt, HFONT font, UINT dpi, UINT at) {
    Layout layout{PixelRect(kPrompt.rect, at), PixelRect(kField.rect, at), {}};
    layout.prompt.bottom =
        std::max(layout.prompt.bottom, layout.prompt.top + PromptTextHeight(dialog, prompt, font, at));
    layout.field.top = std::max(layout.prompt.bottom, PixelRect(kCancel.rect, at).bottom) + TwipsToPixels(kGap, at);
    layout.field.bottom = layout.field.top + TwipsToPixels(kField.rect.height, at);
    const SIZE client{TwipsToPixels(kClientWidth, at), layout.field.bottom + TwipsToPixels(kGap, at)};
    layout.window = WindowSizeForClient(client, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                                        static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
    return layout;
}

// Lays the box out for the DPI, the new font in every control before the old one goes; returns
// the window's size.
SIZE ApplyLayout(HWND dialog, InputBoxState& state, UINT dpi) {
    unique_hfont font = CreateUiFont(dpi);
    const UINT at = TextScaledDpi(dpi);
    const Layout layout = Measure(dialog, state.prompt, font.get(), dpi, at);
    PlaceControls(dialog, kControls, at, font.get());
    MoveControl(GetDlgItem(dialog, kInputPromptId), layout.prompt);
    MoveControl(GetDlgItem(dialog, kInputFieldId), layout.field);
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

INT_PTR OnInitDialog(HWND dialog, InputBoxState& state) {
    DisableDialogDpiScaling(dialog);  // the box lays itself out for every DPI
    SetWindowTextW(dialog, std::wstring(state.title).c_str());
    if (!CreateControls(dialog, kControls)) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    SetDlgItemTextW(dialog, kInputPromptId, std::wstring(state.prompt).c_str());
    SetDlgItemTextW(dialog, kInputFieldId, std::wstring(state.defaultText).c_str());
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    // Laid out for the monitor where it opens, its owner's, then put there.
    const HWND owner = GetWindow(dialog, GW_OWNER);
    const SIZE size = ApplyLayout(dialog, state, MonitorDpi(MonitorFor(owner)));
    const RECT place = PlaceOnWorkArea(size, owner, Placement::CentredOn);
    SetWindowPos(dialog, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
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
        const auto dpi = static_cast<UINT>(wParam);
        const unique_hfont font = CreateUiFont(dpi);
        *reinterpret_cast<SIZE*>(lParam) = Measure(dialog, state->prompt, font.get(), dpi, TextScaledDpi(dpi)).window;
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
// window ask for its frame to be scaled with the DPI. So while the box is made, a hook on the
// thread's window creation puts a procedure of ours in front of the dialog's own for that message:
// for the first dialog made on the thread from then on, which is the box, and no other window.
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

LRESULT CALLBACK OnWindowCreation(int code, WPARAM window, LPARAM creation) noexcept {
    const auto* created = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(creation)->lpcs : nullptr;
    if (created != nullptr && (created->style & WS_CHILD) == 0 && IsDialogClass(created->lpszClass) &&
        dialogWindowProc == nullptr) {
        const auto box = reinterpret_cast<HWND>(window);
        dialogWindowProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC));
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScaleFrameOnCreation));
    }
    return CallNextHookEx(nullptr, code, window, creation);
}

}  // namespace

std::wstring RunInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText) {
    InputBoxState state{prompt, title.empty() ? App.Title : title, defaultText, {}, {}, {}};
    // An empty frame: the controls come from the table above, laid out for the DPI.
    struct alignas(DWORD) EmptyDialog {
        DLGTEMPLATE frame;
        WORD menu;
        WORD windowClass;
        WORD title;
    };
    const EmptyDialog dialog{{DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
    dialogWindowProc = nullptr;
    state.watch.reset(SetWindowsHookExW(WH_CBT, &OnWindowCreation, nullptr, GetCurrentThreadId()));
    const INT_PTR closedWith = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.frame, owner, &InputBoxProc,
                                                       reinterpret_cast<LPARAM>(&state));
    return closedWith == IDOK ? state.result : std::wstring{};
}

}  // namespace tenmoru
